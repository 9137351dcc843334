#!/usr/bin/env bash
# Builds everything and runs every test: the full suite, the core suites again under
# AddressSanitizer and UndefinedBehaviorSanitizer, a short fuzz run of the puzzle reader, a soak of
# the main window under the sanitizers, and the Debian package installed into a scratch folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

echo "== build and test (RelWithDebInfo)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQW_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs" --timeout 300) | tee "$logs/ctest-main.log"
grep -h '^kill test:' build/Testing/Temporary/LastTest.log || true

echo "== core tests under AddressSanitizer + UndefinedBehaviorSanitizer"
san="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQW_WERROR=ON -DQW_CORE_ONLY=ON \
  -DCMAKE_CXX_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="$san" >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$jobs" --timeout 300) | tee "$logs/ctest-asan.log"

if [ -x tools/fuzz/run.sh ]; then
  echo "== fuzzing the puzzle reader and the JPZ and ipuz importers"
  tools/fuzz/run.sh "${QW_FUZZ_SECONDS:-60}"
fi

echo "== soak of the main window under AddressSanitizer + UndefinedBehaviorSanitizer"
# Only the soak and what it links are built; Qt itself is not instrumented, so the suppressions
# cover leaks of Qt's plugins alone. QW_SOAK_EVENTS sets a longer run by hand.
cmake -S . -B build-asan-qt -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQW_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="$san" >/dev/null
cmake --build build-asan-qt -j "$jobs" --target test_soak_qt
QT_QPA_PLATFORM=offscreen QW_SOAK_EVENTS="${QW_SOAK_EVENTS:-3000}" \
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/tests/soak/lsan.supp" build-asan-qt/tests/soak/test_soak_qt

echo "== the Debian package, built from build/ and run unpacked"
scripts/package_test.sh build | tee "$logs/package.log"

# One closing line for the whole run (every stage above stops the script when it fails).
count() { grep -Eo "$2" "$1" | grep -Eo '[0-9]+' | tail -n 1; }
main=$(count "$logs/ctest-main.log" 'out of [0-9]+')
asan=$(count "$logs/ctest-asan.log" 'out of [0-9]+')
package=$(count "$logs/package.log" '[0-9]+ passed')
echo "Test suites (build, sanitizer build, package): ${main:-0} + ${asan:-0} + ${package:-0} tests"
echo "$(( ${main:-0} + ${asan:-0} + ${package:-0} )) passed, 0 failed"
