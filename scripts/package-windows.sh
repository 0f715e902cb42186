#!/usr/bin/env bash
# Makes the portable zip for Windows users from the cross build:
# dist/frondel-<version>-windows-x64.zip, one folder with frondel.exe, frondel-cli.exe,
# kestrup.exe, the temp/ tree and README.txt. With --check it then unzips it under Wine into a
# folder whose name has a blank and characters outside ASCII, builds a file there with
# frondel-cli.exe, and starts frondel.exe until its window shows.
set -euo pipefail
cd "$(dirname "$0")/.."

check=false
[ "${1:-}" = --check ] && check=true
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest
          libcli11-dev libstb-dev python3 zip)
$check && packages+=(unzip wine wine64 xvfb xauth xdotool)
scripts/install-deps.sh "${packages[@]}"

cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DFRONDEL_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=Release
cmake --build build-windows -j 2 --target frondel frondel-cli kestrup
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
name=frondel-$version
zip=dist/$name-windows-x64.zip

scratch=$(mktemp -d)
trap 'wineserver -k 2> /dev/null || true; rm -rf "$scratch"' EXIT
cmake --install build-windows --prefix "$scratch/$name" > /dev/null
# Windows users read text files with CR LF line ends.
sed 's/$/\r/' build-windows/src/win32/README.txt > "$scratch/$name/README.txt"
[ -f LICENSE ] && sed 's/$/\r/' LICENSE > "$scratch/$name/LICENSE.txt"
mkdir -p dist
rm -f "$zip"
(cd "$scratch" && zip -qr -X "$OLDPWD/$zip" "$name")
echo "Made $zip"
$check || exit 0

# Wine turns file names into Unix ones through the locale; only UTF-8 reaches every name.
export LC_ALL=C.UTF-8 WINEDEBUG=-all WINEPREFIX=$scratch/prefix
folder="$scratch/Frondel Spiele é ü"
mkdir -p "$WINEPREFIX" "$folder"
unzip -q "$zip" -d "$folder"
program=$folder/$name
for file in frondel.exe frondel-cli.exe kestrup.exe README.txt temp/help/1.jpg \
            temp/dataentery/TOPDATA1; do
  [ -f "$program/$file" ] || { echo "missing from the zip: $file" >&2; exit 1; }
done
[ -d "$program/temp/dataimport" ] && [ -d "$program/temp/dataexport" ]
# The notes open with README.md's own words on what frondel does, and keep no placeholder.
what_it_does=$(sed -n '/^<!-- what-it-does/,/^<!-- \/what-it-does -->/{/^<!--/d;s/`//g;p}' README.md)
notes=$(tr -d '\r' < "$program/README.txt")
if [ -z "$what_it_does" ] || [[ "$notes" != *"$what_it_does"* ]] || [[ "$notes" == *@* ]]; then
  echo "README.txt does not open with what README.md says frondel does" >&2
  exit 1
fi

# A texture in the game's layout: 1024x1024 B8G8R8A8 with its masks.
python3 - "$program/texture in game layout.dds" <<'PY'
import struct, sys
header = struct.pack("<4sIIIIIII44x", b"DDS ", 124, 0x100F, 1024, 1024, 4096, 0, 1)
header += struct.pack("<IIIIIIII", 32, 0x41, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000)
header += struct.pack("<I16x", 0x1000)
open(sys.argv[1], "wb").write(header + bytes(range(256)) * (4 * 1024 * 4))
PY
wineboot -i < /dev/null > /dev/null 2>&1
(cd "$program" && wine frondel-cli.exe build "texture in game layout.dds" \
  --place "Master League" -o "built é.bin" 2> /dev/null)
[ -s "$program/built é.bin" ] || { echo "frondel-cli.exe built nothing" >&2; exit 1; }
wine "$program/frondel-cli.exe" --version | grep -q "$version"

# The window, on a virtual display, found by its title, then closed as a user closes it. The
# desktop process that Wine started without a display goes with its server first.
wineserver -k 2> /dev/null || true
xvfb-run -a sh -c '
  wine "$1/frondel.exe" &
  started=$!
  window=
  for i in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "^Frondel  V" 2> /dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] && xdotool key --window "$window" alt+F4 2> /dev/null
  for i in $(seq 50); do
    kill -0 $started 2> /dev/null || break
    sleep 0.2
  done
  closed="still running"
  kill -0 $started 2> /dev/null || { wait $started; closed=$?; }
  wineserver -k
  [ -n "$window" ] || { echo "frondel.exe showed no window" >&2; exit 1; }
  [ "$closed" = 0 ] || { echo "frondel.exe did not close: $closed" >&2; exit 1; }' \
  sh "$program"
echo "Checked $zip under Wine: frondel-cli.exe builds, frondel.exe shows its window and closes"
