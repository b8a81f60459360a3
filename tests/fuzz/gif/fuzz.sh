#!/bin/sh
# Runs the GIF fuzzer for a bounded time over a corpus seeded with pictures
# from ImageMagick and giflib. Fails on any crash, leak or sanitizer report.
# usage: fuzz.sh FUZZER CORPUS_DIR SECONDS [RUNS]   (0 seconds, -1 runs: no limit)
set -eu
fuzzer=$1 corpus=$2 seconds=$3 runs=${4:--1}
CONVERT=${CONVERT:-convert}
GIFBUILD=${GIFBUILD:-gifbuild}

mkdir -p "$corpus"
if [ -z "$(ls -A "$corpus")" ]; then
    seeds=$(mktemp -d)
    trap 'rm -rf "$seeds"' EXIT
    "$CONVERT" -size 1x1 xc:red "$corpus/dot.gif"
    "$CONVERT" -seed 1 -size 16x12 plasma:fractal -colors 2 "$corpus/two.gif"
    "$CONVERT" -seed 2 -size 24x16 plasma:fractal -colors 16 -interlace GIF "$corpus/interlaced.gif"
    "$CONVERT" -seed 3 -size 40x40 xc: +noise Random -colors 256 "$corpus/noise.gif"
    "$CONVERT" -seed 4 -size 20x20 plasma:fractal -colors 8 'gif87:'"$corpus/old.gif"
    "$CONVERT" -size 20x14 xc:white -fill blue -draw 'circle 10,7 10,2' -transparent white "$corpus/transparent.gif"
    "$CONVERT" -size 12x10 -dispose Background -delay 5 xc:red -dispose Previous -page +2+3 -size 5x4 xc:blue \
        -dispose None -page +6+1 -size 4x4 xc:lime -loop 3 "$corpus/animation.gif"
    cat > "$seeds/local.txt" <<'TEXT'
screen width 6
screen height 4
screen map
 rgb 0 0 0 is a
 rgb 255 0 0 is b
end
graphics control
 disposal mode 3
 transparent index 0
end
image
image left 1
image top 1
image map
 rgb 9 9 9 is a
 rgb 0 0 255 is b
end
image bits 3 by 2
aba
bab
image
image interlaced
image bits 6 by 4
ababab
bababa
aaaaaa
bbbbbb
TEXT
    "$GIFBUILD" "$seeds/local.txt" > "$corpus/local.gif"
fi

# -timeout turns a hang on one input into a reported failure.
"$fuzzer" -max_total_time="$seconds" -runs="$runs" -timeout=30 -print_final_stats=1 -artifact_prefix="$corpus-" "$corpus" 2>&1 | tee "$corpus.log" |
    grep -E 'Done [0-9]+ runs|ERROR|SUMMARY|stat::number_of_executed_units|==[0-9]+==' || true
# tee hides the fuzzer's status: its log says whether it finished clean.
grep -q '^Done [0-9]* runs' "$corpus.log"
! grep -q -E 'ERROR: |SUMMARY: ' "$corpus.log"
