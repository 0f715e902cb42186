#!/usr/bin/env bash
# Checks the formatting, builds everything and runs every test (the fuzz targets' seeds among
# them), then every test program that reads a file a user hands us, and the seeds again, under
# AddressSanitizer and UndefinedBehaviorSanitizer, and frondel-cli's tests, whose batches run
# on several threads, under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# Tests compare the system's own words (strerror texts), which follow the locale.
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
# The sources follow the root .clang-format; a change that does not fails here first.
scripts/install-deps.sh clang-format
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j 2
ctest --test-dir build --output-on-failure -j 2

sanitized=(core_tests session_tests kestrup_tests cli_tests texture_tests preview_tests)
seeds=($(sed -n 's/^foreach(target \(.*\))$/\1/p' fuzz/CMakeLists.txt))
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake --build build-asan -j 2 --target "${sanitized[@]}" "${seeds[@]/%/_seeds}"
for t in "${sanitized[@]}"; do
  echo "== $t under AddressSanitizer and UndefinedBehaviorSanitizer"
  "$(find build-asan/tests -type f -name "$t" -perm -u+x | head -n 1)" --gtest_brief=1
done
echo "== the fuzz targets' seeds under AddressSanitizer and UndefinedBehaviorSanitizer"
ctest --test-dir build-asan --output-on-failure -R '_seeds$'

# A race in a batch makes the program report it and exit with 66, which fails its test.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer"
cmake --build build-tsan -j 2 --target cli_tests
echo "== cli_tests under ThreadSanitizer"
build-tsan/tests/cli/cli_tests --gtest_brief=1
