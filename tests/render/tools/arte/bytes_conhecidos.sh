#!/bin/sh
# bytes_conhecidos.sh RUN_DIR RECORDED_DIR KEY
# The generated pictures and fonts against the bytes recorded for the
# typefaces and FreeType the build used (KEY). Releases of them with no
# record are a note, not a failure: their bytes may differ.
set -eu
list=$2/$3.sha256
if [ ! -f "$list" ]; then
    echo "note: no bytes recorded for $3, so none compared; recorded: $(cd "$2" && ls)"
    echo "to record them: in RUN_DIR, sha256sum of the files of another record, into $list"
    exit 77
fi
cd "$1"
sha256sum --quiet --strict -c "$list"
