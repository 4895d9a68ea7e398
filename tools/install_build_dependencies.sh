#!/usr/bin/env bash
# Installs what the build needs, from Debian's packages, when it is missing:
# the compiler and CMake, GoogleTest, Google Benchmark, and the command-line
# and JSON libraries of the scenario tool.
exec "$(dirname "$0")/install_packages.sh" cmake g++ make libgtest-dev libgmock-dev \
  libbenchmark-dev libcli11-dev nlohmann-json3-dev
