#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) and runs them for SECONDS
# (default 60) in all on their seed corpora: half for the puzzle reader, a quarter each for the JPZ
# and ipuz importers. Exits non-zero when a fuzzer finds a crash, a leak, undefined behaviour, a
# hang, an unstable save or an export that does not import back. New interesting inputs stay in
# the build folder.
set -euo pipefail
seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build="$root/build-fuzz"

puzzle_sources=("$root"/src/puzzle/*.cpp)
format_sources=("$root"/src/formats/*.cpp)
flags=(-std=c++20 -O1 -g -pthread -Wall -Wextra -Werror -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I "$root/src" -I "$here")

# build NAME DEFINES... -- SOURCES...: rebuilt when any source or header is newer than the binary.
build_target() {
  local name=$1 binary="$build/$1"; shift
  local defines=() sources=()
  while [ "$1" != -- ]; do defines+=("$1"); shift; done
  shift
  sources=("$@")
  local rebuild=0 f
  [ -x "$binary" ] || rebuild=1
  for f in "${sources[@]}" "$root"/src/puzzle/*.h "$root"/src/formats/*.h "$here"/*.h; do
    [ "$f" -nt "$binary" ] && rebuild=1
  done
  if [ "$rebuild" = 1 ]; then
    echo "building $binary"
    clang++ "${flags[@]}" "${defines[@]}" "${sources[@]}" -o "$binary" $(pkg-config --libs pugixml libzip)
  fi
}

# run NAME CORPUS SECONDS
run_target() {
  mkdir -p "$build/$1-corpus" "$build/findings"
  (cd "$build/findings" && "$build/$1" -max_total_time="$3" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
    -print_final_stats=1 "$build/$1-corpus" "$here/$2")
}

mkdir -p "$build"
build_target fuzz_puzzle -- "$here/fuzz_puzzle.cpp" "${puzzle_sources[@]}"
build_target fuzz_jpz -- "$here/fuzz_import.cpp" "${puzzle_sources[@]}" "${format_sources[@]}"
build_target fuzz_ipuz -DQW_FUZZ_IPUZ -- "$here/fuzz_import.cpp" "${puzzle_sources[@]}" "${format_sources[@]}"

quarter=$(( seconds / 4 > 0 ? seconds / 4 : 1 ))
run_target fuzz_puzzle corpus $(( seconds - 2 * quarter > 0 ? seconds - 2 * quarter : 1 ))
run_target fuzz_jpz corpus-jpz "$quarter"
run_target fuzz_ipuz corpus-ipuz "$quarter"
