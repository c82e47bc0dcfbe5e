#!/usr/bin/env bash
# Installs every package the build, the tests and the benchmarks use
# (Debian 12; the list is cmake/packages.txt). Run as root, or with sudo.
set -euo pipefail
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
# shellcheck disable=SC2046
$SUDO apt-get install -y --no-install-recommends $(cat "$(dirname "${BASH_SOURCE[0]}")/packages.txt")
