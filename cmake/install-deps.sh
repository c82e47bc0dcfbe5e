#!/usr/bin/env bash
# Installs every package the build, the tests and the benchmarks use
# (Debian 12). Run as root, or with sudo available.
set -euo pipefail
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  cmake make ninja-build googletest \
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  mingw-w64-x86-64-dev libz-mingw-w64-dev \
  wine wine64 xvfb xauth procps util-linux \
  fp-utils clang libfuzzer-14-dev libclang-rt-14-dev \
  poppler-utils qpdf htmldoc
