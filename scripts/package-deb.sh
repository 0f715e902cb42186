#!/usr/bin/env bash
# Builds the Debian package dist/frondel_<version>_amd64.deb: frondel and frondel-cli built for
# release in build-deb/ with Debian's hardening flags, installed under /usr by CPack, stripped,
# with the dependencies that dpkg-shlibdeps finds in the binaries.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/install-deps.sh dpkg-dev help2man file
# Debian's build flags with every hardening option, bindnow included.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The changelog's and the metadata's release date is the last commit's, so that the same
# source makes the same package.
SOURCE_DATE_EPOCH="$(git log -1 --format=%ct 2>/dev/null || date +%s)"
export SOURCE_DATE_EPOCH
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Only the two programs, their man pages and the changelog are built; the install must not
# build the rest.
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DFRONDEL_SYSTEM_INSTALL=ON \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-deb -j 2 --target frondel frondel-cli man_pages changelog
rm -f build-deb/frondel_*.deb
(cd build-deb && cpack -G DEB)
mkdir -p dist
cp build-deb/frondel_*_amd64.deb dist/
ls dist/frondel_*_amd64.deb
