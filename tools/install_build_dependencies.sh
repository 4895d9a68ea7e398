#!/usr/bin/env bash
# Installs what the build and its tests need, when it is missing: from
# Debian's packages the compiler and CMake, GoogleTest, Google Benchmark,
# the command-line and JSON libraries of the scenario tool, the compiler
# cache, and Node.js with Chromium for the tests that open the scenario
# view in a browser;
# from the npm registry the browser driver those tests use (pinned in
# tests/browser/package-lock.json).
set -euo pipefail
here="$(dirname "$0")"
"$here/install_packages.sh" cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev \
  libcli11-dev nlohmann-json3-dev chromium ccache
command -v node >/dev/null && command -v npm >/dev/null || "$here/install_packages.sh" nodejs npm
browser="$here/../tests/browser"
if [ ! -d "$browser/node_modules/playwright-core" ]; then
  npm ci --prefix "$browser" --no-audit --no-fund --loglevel=error
fi
