#!/usr/bin/env bash
# Installs what the Windows build and its checks need, when it is missing:
# the MinGW-w64 cross compilers, Wine to run the result, and a virtual X
# display with tools to look at its window, and the header-only libraries
# of the scenario tool, whose host copies the cross build uses.
exec "$(dirname "$0")/install_packages.sh" g++-mingw-w64-x86-64 wine wine64 xvfb xauth \
  imagemagick xdotool libcli11-dev nlohmann-json3-dev
