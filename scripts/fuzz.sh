#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# and runs each on its seed corpus. New inputs go to build-fuzz/corpus/<target>; a crash leaves
# its input in build-fuzz/ as crash-*.
# Usage: scripts/fuzz.sh [seconds per target (default 300)] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-300}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(sed -n 's/^foreach(target \(.*\))$/\1/p' fuzz/CMakeLists.txt))

scripts/install-deps.sh clang libclang-rt-dev
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DFRONDEL_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
cmake --build build-fuzz -j 2 --target "${targets[@]}"

for target in "${targets[@]}"; do
  seeds="fuzz/corpus/${target#fuzz_}"
  mkdir -p "build-fuzz/corpus/$target"
  echo "== $target for ${seconds}s"
  (cd build-fuzz && "fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
     -print_final_stats=1 "corpus/$target" "../$seeds")
done
