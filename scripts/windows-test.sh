#!/usr/bin/env bash
# Cross-builds the Qt-free core, the Win32 window, their tests and kestrup.exe for 64-bit
# Windows with mingw-w64, then runs every test under Wine in a throwaway prefix, on a virtual
# display for the window's tests. Installs what it needs on Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."

start=$SECONDS
scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev \
  googletest wine wine64 libcli11-dev xvfb xauth python3 libstb-dev
installed=$SECONDS

cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DFRONDEL_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=Release
cmake --build build-windows -j 2
built=$SECONDS

# Wine turns file names into Unix ones through the locale; only UTF-8 reaches every name.
export LC_ALL=C.UTF-8 WINEDEBUG=-all
scratch=$(mktemp -d)
export WINEPREFIX=$scratch/prefix
trap 'wineserver -k 2> /dev/null || true; rm -rf "$scratch"' EXIT
mkdir "$WINEPREFIX"
# One server for the whole run, started apart from any test's output, so that no test waits
# for a server that its own program started to shut down.
wineserver -p < /dev/null > /dev/null 2>&1
wineboot -i < /dev/null > /dev/null 2>&1
# Wine's windows are left to no window manager (the virtual display has none), so that hiding
# one does not wait for one to answer.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1
prefixed=$SECONDS

ctest --test-dir build-windows --output-on-failure -j 2 -E '^Win32'
# The window's tests need a display, and a desktop process that draws on it: the one Wine
# started without a display goes with its server. They run as one program, not through CTest,
# since the desktop process keeps the error output of the program that started it open. The
# server ends while the display is still there, so no Wine program loses its connection to it.
wineserver -k 2> /dev/null || true
# The layout once more at 144 dpi, where every table pixel is one and a half.
xvfb-run -a sh -c 'tests=build-windows/tests/win32/win32_tests.exe
  wine $tests --gtest_brief=1 && wine reg add "HKCU\Control Panel\Desktop" /v LogPixels \
    /t REG_DWORD /d 144 /f > /dev/null 2>&1 && wine $tests --gtest_brief=1 --gtest_filter="*LaidOut*"
  status=$?
  wineserver -k; exit $status'

# The same pictures give the same payloads here as from the Linux build when it is there (the
# test command builds it first): byte for byte for lossless pictures, JPEG and DXT within a few
# levels. The blocks are the shipped stand-ins on both sides.
if [ -x build/src/cli/frondel-cli ]; then
  for side in linux windows; do mkdir -p "$scratch/$side"; done
  for picture in tests/fixtures/pictures/*; do
    name=$(basename "$picture")
    build/src/cli/frondel-cli build "$picture" --place Edit --blocks data/temp/dataentery \
      -o "$scratch/linux/$name.bin" 2> /dev/null
    wine build-windows/src/cli/frondel-cli.exe build "$picture" --place Edit \
      --blocks data/temp/dataentery -o "$scratch/windows/$name.bin" 2> /dev/null
  done
  python3 scripts/compare_payloads.py "$scratch/linux" "$scratch/windows"
else
  echo "No Linux build in build/: the payloads were not compared with it."
fi
echo "Windows: packages $((installed - start)) s, cross build $((built - installed)) s," \
  "Wine prefix $((prefixed - built)) s, tests $((SECONDS - prefixed)) s"
