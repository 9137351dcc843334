#!/usr/bin/env bash
# Builds the Debian package from an already built tree, unpacks it into a scratch root and checks
# what a user of the installed program meets: its dependencies and file list, --version and --help,
# printing to PDF without a screen, the desktop entry and file type, and a first start under a
# virtual screen that seeds the per-user puzzles folder and finds the quick reference.
#
#   scripts/package_test.sh [BUILD_DIR]      (default: build)
#
# Nothing is installed into the system: the package is unpacked with dpkg -x and the unpacked
# program runs against the system's Qt. The last line reads "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
src=$PWD

# The checks that need a window run on a virtual screen, in this script called again.
if [ "${1:-}" = "--gui" ]; then
  shift
  root=$1 scratch=$2
  home=$scratch/gui-home
  mkdir -p "$home"
  export HOME=$home
  unset XDG_DATA_HOME XDG_CONFIG_HOME QT_QPA_PLATFORM
  report() { if [ "$2" -eq 0 ]; then echo "ok   $1"; else echo "FAIL $1${3:+: $3}"; fi; }
  # xdotool finds windows by title; a window appears some moments after the program starts.
  wait_window() {
    local i
    for i in $(seq 1 50); do
      xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
      sleep 0.2
    done
    return 1
  }
  stop() { kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; }

  mkdir -p "$scratch/elsewhere"
  cp "$src/Puzzles/Practice.QWL" "$scratch/elsewhere/"
  # A relative puzzle path is taken from the folder the program starts in.
  (cd "$scratch/elsewhere" && exec "$root/usr/bin/quotewell" Practice.QWL) >"$scratch/gui1.log" 2>&1 &
  app=$!
  wait_window '^Quotewell - Practice'; report "starts on a puzzle given by a relative path" $?
  own=$home/.local/share/quotewell/Puzzles
  seeded=0
  for f in "$src"/Puzzles/*.QWL; do cmp -s "$f" "$own/$(basename "$f")" || seeded=1; done
  report "first start seeds ~/.local/share/quotewell/Puzzles with the samples" $seeded \
    "$(ls "$own" 2>&1 | tr '\n' ' ')"
  # The quick reference comes from ../share/quotewell beside the installed program.
  win=$(xdotool search --onlyvisible --name '^Quotewell - Practice' 2>/dev/null | head -1)
  if [ -n "$win" ]; then
    xdotool windowfocus "$win" 2>/dev/null
    sleep 0.3
    xdotool key --window "$win" alt+h 2>/dev/null
    sleep 0.3
    xdotool key q 2>/dev/null
  fi
  wait_window '^Quotewell Quick Reference$'; report "Help > Quick reference opens the installed quick reference" $?
  stop $app

  # Progress saved in the per-user folder survives the next start: the folder is seeded once.
  cp "$src/Puzzles/Practice.QWL" "$own/Shakespeare.QWL"
  rm -f "$own/Classic.QWL"
  (cd "$scratch" && exec "$root/usr/bin/quotewell" "$own/Shakespeare.QWL") >"$scratch/gui2.log" 2>&1 &
  app=$!
  wait_window '^Quotewell - Shakespeare'; rc=$?
  stop $app
  cmp -s "$src/Puzzles/Practice.QWL" "$own/Shakespeare.QWL" && [ ! -e "$own/Classic.QWL" ] && [ $rc -eq 0 ]
  report "a second start leaves the per-user puzzles alone" $?

  "$root/usr/bin/quotewell" --no-such-option >"$scratch/opt.log" 2>&1
  rc=$?
  [ $rc -eq 2 ] && grep -q "unknown option --no-such-option" "$scratch/opt.log"
  report "an unknown option is refused with exit code 2" $? "exit code $rc"
  exit 0
fi

build=${1:-build}
[ -f "$build/CPackConfig.cmake" ] || { echo "no configured build tree in $build" >&2; exit 2; }
build=$(cd "$build" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/qw-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0

check() {
  local name=$1
  shift
  if "$@" >"$scratch/check.log" 2>&1; then
    passed=$((passed + 1))
    echo "ok   $name"
  else
    failed=$((failed + 1))
    echo "FAIL $name"
    tail -n 20 "$scratch/check.log" | sed 's/^/     /'
  fi
}

# --- the package itself
build_package() { (cd "$build" && cpack -G DEB -B "$scratch/pkg"); }
check "cpack builds the Debian package" build_package
deb=$(ls "$scratch"/pkg/*.deb 2>/dev/null | head -1)
if [ -z "$deb" ]; then
  echo "0 passed, $((failed + 1)) failed"
  exit 1
fi
version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)
echo "     $(basename "$deb"), Depends: $depends"

depends_on_all() {
  local p missing=0
  for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 \
           fonts-liberation2 libc6 libstdc++6 libpugixml1v5 zlib1g; do
    sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends" | grep -qxF "$p" || { echo "Depends lacks $p"; missing=1; }
  done
  return $missing
}
check "Depends names the Qt, XML and compression libraries, the SVG plugins, the fonts and the C++ runtime" depends_on_all
# apt resolves the dependencies against this system as it would on installing the file.
check "apt can satisfy the package's dependencies" \
  apt-get install -s -o Debug::NoLocking=1 "$deb"

file_list() {
  local expected actual
  expected=$(
    {
      printf '%s\n' ./usr/bin/quotewell ./usr/bin/qwl ./usr/share/quotewell/quickref.html \
        ./usr/bin/quotewell-compose ./usr/share/applications/quotewell-compose.desktop \
        ./usr/share/metainfo/com.example.quotewell.compose.metainfo.xml \
        ./usr/share/icons/hicolor/scalable/apps/quotewell-compose.svg \
        ./usr/share/applications/quotewell.desktop ./usr/share/mime/packages/quotewell.xml \
        ./usr/share/icons/hicolor/scalable/apps/quotewell.svg ./usr/share/metainfo/com.example.quotewell.metainfo.xml
      for f in Puzzles/*.QWL Puzzles/*.jpz Puzzles/*.ipuz; do echo "./usr/share/quotewell/Puzzles/$(basename "$f")"; done
      (cd data/icons && find hicolor -name '*.png' | sed 's|^|./usr/share/icons/|')
    } | sort)
  actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort)
  diff <(echo "$expected") <(echo "$actual")
}
check "the package holds exactly the programs, quick reference, samples, icons, entry, types and metainfo" file_list

# --- the unpacked program
root=$scratch/root
check "dpkg -x unpacks the package" dpkg -x "$deb" "$root"
export HOME=$scratch/home
mkdir -p "$HOME"
unset XDG_DATA_HOME XDG_CONFIG_HOME

no_missing_libraries() { ! ldd "$root/usr/bin/quotewell" "$root/usr/bin/qwl" | grep "not found"; }
check "the installed programs find every library they link" no_missing_libraries
version_line() { [ "$("$root/usr/bin/quotewell" --version)" = "Quotewell $version" ]; }
check "quotewell --version says Quotewell $version" version_line
help_text() { "$root/usr/bin/quotewell" --help | grep -q -- "--print-pdf"; }
check "quotewell --help describes the command line" help_text

mkdir -p "$scratch/work"
cp "$root/usr/share/quotewell/Puzzles/Shakespeare.QWL" "$scratch/work/"
pdf_pages() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }
print_pdf() {
  (cd "$scratch/work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$root/usr/bin/quotewell" --print-pdf "$@") || return 1
  local out=$scratch/work/$1
  [ -s "$out" ] && [ "$(pdf_pages "$out")" -ge 1 ] && pdftotext "$out" - | grep -q .
}
check "--print-pdf prints a blank puzzle with no screen at all" print_pdf blank.pdf Shakespeare.QWL
check "--print-pdf --as-filled prints too" print_pdf filled.pdf --as-filled Shakespeare.QWL
missing_puzzle() { ! (cd "$scratch/work" && "$root/usr/bin/quotewell" --print-pdf x.pdf Missing.QWL) && [ ! -e "$scratch/work/x.pdf" ]; }
check "--print-pdf of a missing puzzle fails and writes nothing" missing_puzzle
qwl_dump() { "$root/usr/bin/qwl" dump "$root/usr/share/quotewell/Puzzles/Shakespeare.QWL" | python3 -m json.tool >/dev/null; }
check "qwl dump reads an installed sample" qwl_dump

# --- desktop integration
desktop=$root/usr/share/applications/quotewell.desktop
mime=$root/usr/share/mime/packages/quotewell.xml
check "desktop-file-validate accepts the desktop entry" desktop-file-validate "$desktop"
entry_fits() {
  local type
  type=$(xmllint --xpath 'string(//*[local-name()="mime-type"]/@type)' "$mime")
  grep -qx 'Exec=quotewell %f' "$desktop" &&
    grep -q "^MimeType=.*$type;" "$desktop" &&
    grep -qx 'Icon=quotewell' "$desktop" &&
    grep -q '^Categories=.*Game;.*LogicGame;' "$desktop" &&
    [ -x "$root/usr/bin/$(sed -n 's/^TryExec=//p' "$desktop")" ]
}
check "the entry runs quotewell %f for the puzzle type, with the installed icon name" entry_fits
check "xmllint accepts the MIME type file" xmllint --noout "$mime"
check "appstreamcli accepts the AppStream metainfo" \
  appstreamcli validate --no-net "$root/usr/share/metainfo/com.example.quotewell.metainfo.xml"
mime_type_matches() {
  local data=$scratch/xdg f
  mkdir -p "$data/mime/packages"
  cp "$mime" "$data/mime/packages/"
  update-mime-database "$data/mime" 2>/dev/null || return 1
  for f in Puzzle.QWL puzzle.qwl Mixed.QwL; do
    cp "$src/Puzzles/Practice.QWL" "$scratch/work/$f"
    if command -v gio >/dev/null; then
      XDG_DATA_HOME=$data gio info -a standard::content-type "$scratch/work/$f" |
        grep -q 'content-type: application/x-quotewell-puzzle' || { echo "$f not recognised"; return 1; }
    fi
  done
  grep -q '^[0-9]*:application/x-quotewell-puzzle:\*\.qwl$' "$data/mime/globs2" &&
    grep -q '^[0-9]*:application/x-jpz-puzzle:\*\.jpz$' "$data/mime/globs2" &&
    grep -q '^[0-9]*:application/x-ipuz-puzzle:\*\.ipuz$' "$data/mime/globs2" &&
    grep -q '^MimeType=.*application/x-jpz-puzzle;application/x-ipuz-puzzle;' "$desktop"
}
check "the file types claim .QWL, .jpz and .ipuz in any case, and the entry takes them" mime_type_matches
import_sample() {
  (cd "$scratch/work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$root/usr/bin/quotewell" --print-pdf aesop.pdf "$root/usr/share/quotewell/Puzzles/Aesop.jpz") &&
    "$root/usr/bin/qwl" import "$root/usr/share/quotewell/Puzzles/Franklin.ipuz" "$scratch/work/Franklin.QWL" &&
    "$root/usr/bin/qwl" export "$scratch/work/Franklin.QWL" "$scratch/work/Franklin.jpz" &&
    [ "$(pdf_pages "$scratch/work/aesop.pdf")" -ge 1 ]
}
check "the installed JPZ and ipuz samples print, import and export" import_sample

# --- a first start on a virtual screen
# Xvfb picks a free display itself (-displayfd), which xvfb-run -a cannot do without racing other
# virtual screens started at the same moment.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
  xvfb=$!
  for _ in $(seq 1 50); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  DISPLAY=:$(head -1 "$scratch/display") "$src/scripts/package_test.sh" --gui "$root" "$scratch" >"$scratch/gui.out" 2>&1
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  cat "$scratch/gui.out" | grep -E '^(ok|FAIL) '
  passed=$((passed + $(grep -c '^ok ' "$scratch/gui.out")))
  gui_failed=$(grep -c '^FAIL ' "$scratch/gui.out")
  # The window checks run four reports; fewer means the virtual screen itself failed.
  [ "$(grep -cE '^(ok|FAIL) ' "$scratch/gui.out")" -eq 5 ] || { gui_failed=$((gui_failed + 1)); tail -n 20 "$scratch/gui.out"; }
  failed=$((failed + gui_failed))
else
  echo "FAIL first start on a virtual screen: Xvfb and xdotool are needed (scripts/setup.sh)"
  failed=$((failed + 1))
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
