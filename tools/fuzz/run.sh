#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) as CMake targets in
# build-fuzz, the core they call compiled once for all three, and runs them for SECONDS (default
# 60) in all on their seed corpora: half for the puzzle reader, a quarter each for the JPZ and ipuz
# importers. Exits non-zero when a fuzzer finds a crash, a leak, undefined behaviour, a hang, an
# unstable save or an export that does not import back. New interesting inputs stay in the build
# folder.
set -euo pipefail
seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build="$root/build-fuzz"

# The core is instrumented for coverage and the sanitizers; only the fuzz programs link libFuzzer.
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None \
  -DQW_CORE_ONLY=ON -DQW_FUZZ=ON -DQW_PCH=OFF -DQW_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_puzzle fuzz_jpz fuzz_ipuz

# run NAME CORPUS SECONDS: the fuzzer's report goes to build-fuzz/NAME.log and is shown at the end.
run_target() {
  mkdir -p "$build/$1-corpus" "$build/findings"
  (cd "$build/findings" && "$build/tools/fuzz/$1" -max_total_time="$3" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
    -print_final_stats=1 "$build/$1-corpus" "$here/$2") >"$build/$1.log" 2>&1
}

# Each fuzzer runs on one core: the reader on one, the two importers one after the other on the
# other, so the run takes half the time with the same fuzzing done.
quarter=$(( seconds / 4 > 0 ? seconds / 4 : 1 ))
run_target fuzz_puzzle corpus $(( seconds - 2 * quarter > 0 ? seconds - 2 * quarter : 1 )) &
reader=$!
status=0
run_target fuzz_jpz corpus-jpz "$quarter" || status=1
run_target fuzz_ipuz corpus-ipuz "$quarter" || status=1
wait "$reader" || status=1
for name in fuzz_puzzle fuzz_jpz fuzz_ipuz; do
  echo "-- $name"
  # A clean run's report is its closing figures; a finding's is the whole log.
  if [ "$status" = 0 ]; then grep -E '^(Done|stat::)' "$build/$name.log"; else cat "$build/$name.log"; fi
done
exit "$status"
