#!/bin/sh
# Refreshes the screenshots in docs/screenshots/ from a built game:
#   docs/screenshots.sh [build folder] [output folder]
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build}"
out="${2:-$here/screenshots}"
[ -x "$build/run/zepko" ] || { echo "no built game in $build/run" >&2; exit 1; }
ZEPKO_RUN_DIR="$(cd "$build/run" && pwd)" PYTHONPATH="$here/../tests/e2e/lib" \
    /usr/bin/python3 "$here/screenshots.py" "$out"
