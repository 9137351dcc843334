#!/usr/bin/env bash
# Builds everything and runs every test: the full suite, the core suites again under
# AddressSanitizer and UndefinedBehaviorSanitizer, a soak of the main window under the same
# sanitizers (one build serves both), a short fuzz run of the puzzle reader and the importers, and
# the Debian package installed into a scratch folder. Each stage's duration is printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

# stage NAME: ends the stage before (recording how long it took) and starts the next.
stage_names=() stage_secs=() stage_start=$SECONDS
stage() {
  if ((${#stage_names[@]})); then stage_secs+=($((SECONDS - stage_start))); fi
  stage_names+=("$1")
  stage_start=$SECONDS
  echo "== $1"
}
durations() {
  stage_secs+=($((SECONDS - stage_start)))
  local i
  echo "Stage durations:"
  for i in "${!stage_names[@]}"; do
    printf '  %4d s  %s\n' "${stage_secs[$i]}" "${stage_names[$i]}"
  done
  printf '  %4d s  in all\n' "$SECONDS"
}

stage "set-up (Debian packages)"
scripts/setup.sh
jobs=$(nproc)

stage "build and test (RelWithDebInfo)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQW_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs" --timeout 300) | tee "$logs/ctest-main.log"
grep -h '^kill test:' build/Testing/Temporary/LastTest.log || true

stage "core tests and the window soak under AddressSanitizer + UndefinedBehaviorSanitizer"
# One instrumented build holds the standard C++ tests (label core) and the soak with what it links;
# the Qt tests are not built there. Qt itself is not instrumented, so the suppressions cover leaks
# of Qt's plugins alone. QW_SOAK_EVENTS sets a longer soak by hand.
san="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQW_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="$san" >/dev/null
cmake --build build-asan -j "$jobs" --target core_tests test_soak_qt
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest -L core --output-on-failure -j "$jobs" --timeout 300) \
  | tee "$logs/ctest-asan.log"
QT_QPA_PLATFORM=offscreen QW_SOAK_EVENTS="${QW_SOAK_EVENTS:-3000}" \
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/tests/soak/lsan.supp" build-asan/tests/soak/test_soak_qt

stage "fuzzing the puzzle reader and the JPZ and ipuz importers"
tools/fuzz/run.sh "${QW_FUZZ_SECONDS:-60}"

stage "the Debian package, built from build/ and run unpacked"
scripts/package_test.sh build | tee "$logs/package.log"
durations

# One closing line for the whole run (every stage above stops the script when it fails).
count() { grep -Eo "$2" "$1" | grep -Eo '[0-9]+' | tail -n 1; }
main=$(count "$logs/ctest-main.log" 'out of [0-9]+')
asan=$(count "$logs/ctest-asan.log" 'out of [0-9]+')
package=$(count "$logs/package.log" '[0-9]+ passed')
echo "Test suites (build, sanitizer build, package): ${main:-0} + ${asan:-0} + ${package:-0} tests"
echo "$(( ${main:-0} + ${asan:-0} + ${package:-0} )) passed, 0 failed"
