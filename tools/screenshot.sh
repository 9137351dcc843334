#!/usr/bin/env bash
# Makes the README's screenshot: the Shakespeare sample part solved, in the main window on a virtual
# screen. The answers are typed into a copy of the puzzle through qwl dump / qwl make, so the picture
# always shows the current program and the current sample.
#
#   tools/screenshot.sh [BUILD_DIR] [OUT.png]          (defaults: build, docs/screenshot.png)
#
# QW_SCALE=2 takes the picture at 200 % (Qt's scale factor) on a screen twice as big;
# QW_SCREEN=WxH sets the logical screen size (the window fills it; default 1000x700).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/screenshot.png}
scale=${QW_SCALE:-1}
screen=${QW_SCREEN:-1000x700}
for tool in Xvfb xdotool import python3; do
  command -v "$tool" >/dev/null || { echo "$tool is needed (scripts/setup.sh installs it)" >&2; exit 1; }
done
[ -x "$build/quotewell" ] && [ -x "$build/tools/qwl/qwl" ] || { echo "build $build first (scripts/build.sh)" >&2; exit 1; }
build=$(cd "$build" && pwd)
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")

work=$(mktemp -d "${TMPDIR:-/tmp}/qw-screenshot.XXXXXX")
xvfb= app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Some answers solved, one half typed: a puzzle in progress, its quotation half showing.
"$build/tools/qwl/qwl" dump Puzzles/Shakespeare.QWL >"$work/puzzle.json"
python3 - "$work/puzzle.json" <<'EOF'
import json, sys
path = sys.argv[1]
with open(path) as f:
    puzzle = json.load(f)
letters = [c for c in "".join(puzzle["diagramRows"]) if c.isalpha()]
progress = {"A": 6, "B": 4, "D": 8, "F": 7, "H": 6, "K": 4, "L": 6, "N": 3, "O": 8, "Q": 6}
for clue in puzzle["clues"]:
    n = progress.get(clue["label"], 0)
    answer = "".join(letters[i - 1] for i in clue["answer"])
    clue["entered"] = answer[:n] + " " * (len(answer) - n)
with open(path, "w") as f:
    json.dump(puzzle, f)
EOF
mkdir -p "$work/Puzzles" "$work/home"
"$build/tools/qwl/qwl" make "$work/puzzle.json" "$work/Puzzles/Shakespeare.QWL" >/dev/null

w=${screen%x*} h=${screen#*x}
Xvfb -displayfd 3 -screen 0 "$((w * scale))x$((h * scale))x24" -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 1 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display")
# A fresh home: default colours, zoom and pane sizes, nothing remembered from the person running this.
(cd "$work/Puzzles" && HOME=$work/home XDG_CONFIG_HOME= XDG_DATA_HOME= QT_SCALE_FACTOR=$scale \
  QT_QPA_PLATFORM=xcb exec "$build/quotewell" Shakespeare.QWL) >"$work/app.log" 2>&1 &
app=$!
win=
for _ in $(seq 1 50); do
  win=$(xdotool search --onlyvisible --name '^Quotewell - Shakespeare' 2>/dev/null | head -1) && [ -n "$win" ] && break
  sleep 0.2
done
[ -n "$win" ] || { echo "the window did not appear:" >&2; cat "$work/app.log" >&2; exit 1; }
xdotool windowfocus "$win" 2>/dev/null || true
sleep 1
import -window "$win" -strip -depth 8 -colors 256 "PNG8:$out"
echo "$out: $(identify -format '%wx%h' "$out"), $(($(stat -c %s "$out") / 1024)) KB"
