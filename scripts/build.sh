#!/usr/bin/env bash
# Configures and builds the program and its tests in build/ (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQW_WERROR=ON >/dev/null
cmake --build build
