#!/usr/bin/env bash
# Builds Quotewell and starts it on the bundled sample puzzle (or on the puzzle given);
# `--compose [FILE]` starts the composer instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
if [ "${1:-}" = "--compose" ]; then
  shift
  exec build/quotewell-compose "$@"
fi
puzzle=${1:-Puzzles/Shakespeare.QWL}
exec build/quotewell "$puzzle"
