#!/usr/bin/env bash
# The command line as a user meets it: help, version, a bad option, printing to PDF, a broken file.
set -u
bin=$1
qwl=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache QT_QPA_PLATFORM=offscreen
fail=0
check() { if eval "$2"; then echo "ok - $1"; else echo "FAIL - $1"; fail=1; fi; }

out=$("$bin" --version); check "--version names the program and version" '[ "$out" = "Quotewell 2.1" ]'
"$bin" --help | grep -q -- "--print-pdf"; check "--help lists the options" '[ $? -eq 0 ]'
"$bin" --frobnicate >/dev/null 2>"$work/err"; rc=$?
check "an unknown option exits with 2" '[ $rc -eq 2 ]'
check "... and says which option" 'grep -q -- "--frobnicate" "$work/err"'
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$bin" --frobnicate >/dev/null 2>&1; rc=$?
check "... also where no display can be opened" '[ $rc -eq 2 ]'
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$bin" --as-filled "$work/any.QWL" >/dev/null 2>"$work/err"; rc=$?
check "a misused option gives the usage message where no display can be opened" '[ $rc -eq 2 ] && grep -q "^Usage:" "$work/err"'

"$qwl" stress "$work/stress.QWL" 3 >/dev/null
(cd "$work" && "$bin" --print-pdf out.pdf --as-filled stress.QWL); rc=$?
check "--print-pdf writes a PDF relative to the start folder" '[ $rc -eq 0 ] && head -c 5 "$work/out.pdf" | grep -q "%PDF-"'
pages=$(pdfinfo "$work/out.pdf" | awk '/^Pages:/ {print $2}')
check "the stress puzzle prints on several pages" '[ "$pages" -gt 1 ]'

# The PDF never takes the place of its own puzzle, whatever path names it.
mkdir "$work/sub"
cp "$work/stress.QWL" "$work/self.QWL"
ln -s "$work/self.QWL" "$work/link.pdf"
for out in self.QWL sub/../self.QWL "$work/link.pdf"; do
  (cd "$work" && "$bin" --print-pdf "$out" self.QWL) 2>"$work/err"; rc=$?
  check "--print-pdf $out over its own puzzle exits with 1" '[ $rc -eq 1 ] && grep -q "is the puzzle being printed" "$work/err"'
done
check "... and the puzzle is untouched" 'cmp -s "$work/stress.QWL" "$work/self.QWL"'

# A write that fails part way (a file-size limit, as a full disk fails it) or at once (/dev/full).
printf 'older PDF' > "$work/old.pdf"
(trap '' XFSZ; ulimit -f 16; exec "$bin" --print-pdf "$work/old.pdf" "$work/stress.QWL") 2>"$work/err"; rc=$?
check "a PDF that cannot be written whole exits with 1" '[ $rc -eq 1 ] && grep -qx "Cannot write the file $work/old.pdf." "$work/err"'
check "... leaves the older file as it was" '[ "$(cat "$work/old.pdf")" = "older PDF" ]'
check "... and no temporary file" '[ -z "$(ls "$work" | grep "^old.pdf.")" ]'
"$bin" --print-pdf /dev/full "$work/stress.QWL" 2>"$work/err"; rc=$?
check "a device that takes nothing is a failure too" '[ $rc -eq 1 ] && grep -qx "Cannot write the file /dev/full." "$work/err"'

printf 'not a puzzle' > "$work/bad.QWL"
"$bin" --print-pdf "$work/bad.pdf" "$work/bad.QWL" 2>"$work/err"; rc=$?
check "a broken puzzle exits with 1" '[ $rc -eq 1 ]'
check "... with the reader's message" 'grep -qx "Error reading file $work/bad.QWL." "$work/err"'
check "... and writes no PDF" '[ ! -e "$work/bad.pdf" ]'
# A named pipe with no writer is refused at once on both roads, never waited on.
mkfifo "$work/pipe.QWL"
timeout 10 "$bin" --print-pdf "$work/pipe.pdf" "$work/pipe.QWL" 2>"$work/err"; rc=$?
check "a named pipe is a read error for --print-pdf" '[ $rc -eq 1 ] && grep -qx "Error reading file $work/pipe.QWL." "$work/err"'
timeout 10 "$qwl" dump "$work/pipe.QWL" >/dev/null 2>&1; rc=$?
check "... and for qwl dump" '[ $rc -eq 1 ]'

# qwl compose: a complete acrostic in each format, whose answers sit on squares of their letters.
printf '%s\n' "Four score and seven years ago our fathers brought forth on this continent, a new nation," \
  "conceived in Liberty, and dedicated to the proposition that all men are created equal." > "$work/quote.txt"
cat > "$work/squares.py" <<'PY'
import json, sys
summary = json.load(open(sys.argv[1]))
puzzle = json.load(open(sys.argv[2]))
fixed = set(puzzle["fixedChars"])
squares = [ch for row in puzzle["diagramRows"] for ch in row if ch != " " and ch not in fixed]
answers = ["".join(squares[i - 1] for i in clue["answer"]) for clue in puzzle["clues"]]
used = sorted(i for clue in puzzle["clues"] for i in clue["answer"])
assert answers == summary["answers"], (answers, summary["answers"])
assert used == list(range(1, len(squares) + 1))
assert "".join(a[0] for a in answers) == "LINCOLNATGETTYSBURG"
assert summary["collisions"] == 0 and summary["fill_ms"] >= 0 and summary["number_ms"] >= 0
PY
for ext in QWL jpz ipuz; do
  "$qwl" compose --quote-file "$work/quote.txt" --source "Lincoln at Gettysburg" --seed 3 --out "$work/c.$ext" \
    >"$work/c.$ext.out" 2>"$work/err"; rc=$?
  check "qwl compose writes a .$ext puzzle" '[ $rc -eq 0 ] && [ -s "$work/c.$ext" ]'
  "$qwl" dump "$work/c.$ext" >"$work/c.$ext.json"; rc=$?
  check "... that opens with every answer on squares of its letters" \
    '[ $rc -eq 0 ] && python3 "$work/squares.py" "$work/c.$ext.out" "$work/c.$ext.json"'
done
for i in $(seq 12); do printf 'Jazz fizz buzz quiz '; done > "$work/zed.txt"
"$qwl" compose --quote-file "$work/zed.txt" --source "ZZZZZZZZ" --timeout 1 --out "$work/zed.QWL" >"$work/out" 2>"$work/err"; rc=$?
check "a pool no word list fills exits 1 after the timeout" '[ $rc -eq 1 ] && grep -q "No fill was found within 1 second" "$work/err"'
check "... and writes nothing" '[ ! -e "$work/zed.QWL" ] && [ ! -s "$work/out" ]'
exit $fail
