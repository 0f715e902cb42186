#!/usr/bin/env bash
# Builds frondel, installs a program folder that the user owns, and starts it.
# The program folder is ~/frondel unless another one is given as the first argument.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix="${1:-$HOME/frondel}"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j 2
cmake --install build --prefix "$prefix"
echo "Installed in $prefix"
