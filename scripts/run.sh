#!/usr/bin/env bash
# Builds frondel, installs a program folder that the user owns, and starts it.
# The program folder is ~/frondel unless another one is given as the first argument.
# Without a display (no DISPLAY or WAYLAND_DISPLAY) the window opens on a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix="${1:-$HOME/frondel}"

headless=""
[ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && headless=yes

scripts/install-deps.sh
[ -n "$headless" ] && scripts/install-deps.sh xvfb xauth
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j 2
cmake --install build --prefix "$prefix"
echo "Installed in $prefix; starting $prefix/frondel"

if [ -n "$headless" ] && command -v xvfb-run >/dev/null; then
  exec xvfb-run -a "$prefix/frondel"
fi
exec "$prefix/frondel"
