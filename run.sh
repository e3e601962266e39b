#!/usr/bin/env bash
# Installs what is missing, builds Vimbo and starts it. Arguments are passed
# on to the program: ./run.sh ~/contacts.tch
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc 2>/dev/null || echo 2)

scripts/ensure_packages.sh cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl1-mesa-dev \
  libgtest-dev libgmock-dev fonts-liberation

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs" --target vimbo

# Without a display the program says so itself (xvfb-run comes with the
# Debian package xvfb); -platform offscreen and the like still run.
exec build/bin/vimbo "$@"
