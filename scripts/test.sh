#!/usr/bin/env bash
# Checks the formatting, builds everything and runs every test, then the core's, the session's,
# kestrup's and frondel-cli's tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and frondel-cli's, whose batches run on several threads, under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# The sources follow the root .clang-format; a change that does not fails here first.
scripts/install-deps.sh clang-format
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j 2
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j 2

sanitized=(core_tests session_tests kestrup_tests cli_tests)
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake --build build-asan -j 2 --target "${sanitized[@]}"
for t in "${sanitized[@]}"; do
  echo "== $t under AddressSanitizer and UndefinedBehaviorSanitizer"
  "$(find build-asan/tests -type f -name "$t" -perm -u+x | head -n 1)" --gtest_brief=1
done

# A race in a batch makes the program report it and exit with 66, which fails its test.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer"
cmake --build build-tsan -j 2 --target cli_tests
echo "== cli_tests under ThreadSanitizer"
build-tsan/tests/cli/cli_tests --gtest_brief=1
