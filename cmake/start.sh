#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Tomewise and starts it under Wine
# (on the current X display, or on a private Xvfb when there is none).
set -euo pipefail
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$src/build"
bash "$src/cmake/install-deps.sh"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
# The help file is looked for beside the program.
cd "$build/bin"
exec "$src/cmake/wine-exec.sh" "$build/bin/tomewise.exe" "$@"
