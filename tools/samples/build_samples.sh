#!/usr/bin/env bash
# Rebuilds every sample puzzle in Puzzles/ from its JSON source with the given qwl binary, then
# dumps each result and checks that it reads back as its source says. A recipe with "export" ships
# its puzzle as a .jpz or .ipuz file instead, which must import back to the same puzzle.
# With --check nothing is written: each freshly made file must equal the shipped one byte for byte,
# so a test run catches a JSON source and a .QWL that have drifted apart.
# Usage: tools/samples/build_samples.sh [--check] path/to/qwl
set -euo pipefail
check=0
if [ "${1:-}" = --check ]; then check=1; shift; fi
qwl=${1:?usage: build_samples.sh [--check] path/to/qwl}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

python3 "$here/check_acrostic.py" > "$scratch/check.log" || { cat "$scratch/check.log" >&2; exit 1; }

for src in "$root"/Puzzles/src/*.json; do
  name=$(basename "$src" .json)
  version=$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["version"])' "$src")
  flags=()
  [ "$version" = 1 ] && flags=(--version1)
  export=$(python3 -c 'import json,sys; print(json.load(open(sys.argv[1])).get("export", ""))' "$here/recipes/$name.json")
  out="$root/Puzzles/$name.${export:-QWL}"
  # Write beside the target first so a failed make leaves the shipped file as it was.
  "$qwl" make "$src" "$scratch/$name.QWL" "${flags[@]}"
  "$qwl" dump "$scratch/$name.QWL" > "$scratch/$name.dump.json"
  python3 - "$src" "$scratch/$name.dump.json" <<'PY'
import json, sys
want = json.load(open(sys.argv[1], encoding="utf-8"))
got = json.load(open(sys.argv[2], encoding="utf-8"))
diff = sorted(k for k in set(want) | set(got) if want.get(k) != got.get(k))
if diff:
    for k in diff:
        print(f"{sys.argv[1]}: {k}: source {want.get(k)!r}, file {got.get(k)!r}", file=sys.stderr)
    sys.exit(1)
PY
  # A second make from the dump must give the same bytes: the JSON holds everything in the file.
  "$qwl" make "$scratch/$name.dump.json" "$scratch/$name.again.QWL" "${flags[@]}"
  cmp -s "$scratch/$name.QWL" "$scratch/$name.again.QWL" || { echo "$name: make -> dump -> make is not byte-identical" >&2; exit 1; }
  if [ -n "$export" ]; then
    "$qwl" export "$scratch/$name.QWL" "$scratch/$name.$export"
    "$qwl" dump "$scratch/$name.$export" > "$scratch/$name.import.json"
    python3 - "$src" "$scratch/$name.import.json" <<'PY'
import json, sys
want = json.load(open(sys.argv[1], encoding="utf-8"))
got = json.load(open(sys.argv[2], encoding="utf-8"))
same = lambda w, g: w["diagramRows"] == g["diagramRows"] and w["headerStrings"] == g["headerStrings"] and \
    [(c["text"], c["answer"]) for c in w["clues"]] == [(c["text"], c["answer"]) for c in g["clues"]] and \
    w["moreInfo"]["lines"] == g["moreInfo"]["lines"] and w["solverInfo"]["text"] == g["solverInfo"]["text"]
if not same(want, got):
    sys.exit(f"{sys.argv[1]}: the exported file does not import as the same puzzle")
PY
  else
    # A file with no lone LF byte goes through the reader's line-ending repair, which rewrites it
    # in place and so fails in a read-only install folder. Pick another maskSeed if this trips.
    python3 - "$scratch/$name.QWL" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
if not any(data[i] == 10 and data[i - 1] != 13 for i in range(1, len(data))):
    sys.exit(f"{sys.argv[1]}: no lone LF byte; choose another maskSeed in the recipe")
PY
  fi
  made="$scratch/$name.${export:-QWL}"
  shipped="Puzzles/$(basename "$out")"
  if ((check)); then
    cmp -s "$made" "$out" || { echo "$shipped differs from what its JSON source makes" >&2; exit 1; }
    echo "$shipped matches its source"
  else
    mv "$made" "$out"
    echo "$shipped"
  fi
done
