#!/usr/bin/env bash
# Builds Quotewell and starts it on the bundled sample puzzle (or on the puzzle given).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
puzzle=${1:-Puzzles/Shakespeare.QWL}
exec build/quotewell "$puzzle"
