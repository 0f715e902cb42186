#!/usr/bin/env bash
# Checks the package that scripts/package-deb.sh made: lintian finds no error, the desktop
# entry and the AppStream metadata are valid, and the programs unpacked from it work for a
# user whose home is a temporary folder, in a working folder per user seeded from the package.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh lintian desktop-file-utils appstream

version="$(sed -n 's/^project(frondel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
deb="dist/frondel_${version}_amd64.deb"
[ -f "$deb" ] || { echo "no package $deb: run scripts/package-deb.sh first" >&2; exit 1; }

echo "== lintian"
lintian --fail-on error --display-info "$deb"

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root/pkg"
echo "== desktop-file-validate, appstreamcli validate"
desktop-file-validate "$root/pkg/usr/share/applications/frondel.desktop"
# The project has no domain of its own to name its component by in reverse.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
  "$root/pkg/usr/share/metainfo/frondel.metainfo.xml"

echo "== frondel-cli and frondel from the package, for a user of a temporary home"
bin="$root/pkg/usr/bin"
shipped="$root/pkg/usr/share/frondel/temp"
work="$root/data/frondel/temp"
as_user=(env -i PATH="$PATH" HOME="$root/home" XDG_DATA_HOME="$root/data"
         XDG_RUNTIME_DIR="$root/runtime" QT_QPA_PLATFORM=offscreen)
mkdir -p "$root/home" "$root/runtime"
find "$root/pkg" | sort > "$root/package-files"
chmod 700 "$root/runtime"
"${as_user[@]}" "$bin/frondel-cli" --version -v | grep -qx "working folder: $work (per user)"
"${as_user[@]}" "$bin/frondel-cli" build "$shipped/help/1.jpg" --place Exhibition -o "$root/home/built.bin"
"${as_user[@]}" "$bin/frondel-cli" export "$root/home/built.bin" -o "$root/home/texture.dds"
[ "$(stat -c %s "$root/home/texture.dds")" -eq 4194432 ]
diff -r "$shipped/dataentery" "$work/dataentery"
diff -r "$shipped/help" "$work/help"
[ -d "$work/dataimport" ]
[ -d "$work/dataexport" ]

# The window works in the same folder: its hand-over socket appears beside its lock.
"${as_user[@]}" "$bin/frondel" &
window=$!
for _ in $(seq 100); do
  [ -S "$work/frondel.socket" ] && break
  sleep 0.1
done
listening=no
[ -S "$work/frondel.socket" ] && [ -f "$work/frondel.lock" ] && listening=yes
kill "$window"
wait "$window" || true
[ "$listening" = yes ] || { echo "frondel made no lock and socket in $work" >&2; exit 1; }
# Nothing was written into the installed tree.
find "$root/pkg" | sort | diff "$root/package-files" -
echo "The package passed its checks."
