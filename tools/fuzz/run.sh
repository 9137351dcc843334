#!/usr/bin/env bash
# Builds the puzzle reader's fuzz target with clang (libFuzzer, AddressSanitizer, UBSan) and runs it
# for SECONDS (default 60) on the seed corpus. Exits non-zero when the fuzzer finds a crash, a leak,
# undefined behaviour, a hang or an unstable save. New interesting inputs stay in the build folder.
set -euo pipefail
seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build="$root/build-fuzz"
mkdir -p "$build/corpus" "$build/findings"

sources=("$here/fuzz_puzzle.cpp" "$root/src/puzzle/Puzzle.cpp" "$root/src/puzzle/Win1252.cpp"
         "$root/src/puzzle/PuzzleFile.cpp" "$root/src/puzzle/FileAccess.cpp")
binary="$build/fuzz_puzzle"
rebuild=0
[ -x "$binary" ] || rebuild=1
for f in "${sources[@]}" "$root"/src/puzzle/*.h; do
  [ "$f" -nt "$binary" ] && rebuild=1
done
if [ "$rebuild" = 1 ]; then
  echo "building $binary"
  clang++ -std=c++20 -O1 -g -Wall -Wextra -Werror -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I "$root/src" "${sources[@]}" -o "$binary"
fi

cd "$build/findings"
"$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
  -print_final_stats=1 "$build/corpus" "$here/corpus"
