#!/bin/bash
# Growth of the batch run with the size of the building: writes listings of 500, 5,000 and 20,000
# supports (and the capacity listing of the old fixed tables) into the build folder, then times
# `wc -l` and the batch tool (text and --json) side by side on each and prints the time per support,
# per support and case and per megabyte, and the peak memory against the file's size.
#
#   bench/scale_bench.sh [BUILD_FOLDER] [RUNS]
# Listings are written once into BUILD_FOLDER/bench-listings (never into the sources).
set -euo pipefail
build=${1:-build}
runs=${2:-5}
listings="$build/bench-listings"
mkdir -p "$listings"

# name supports cases levels
shapes=(
  "capacity 500 36 25"
  "s500-c100 500 100 25"
  "s5000-c100 5000 100 25"
  "s5000-c500 5000 500 5"
  "s20000-c100 20000 100 5"
)

now_ns() { date +%s%N; }

# The fastest of $runs runs of a command, in ms.
fastest_ms() {
  local best=0 start end t
  for ((i = 0; i < runs; i++)); do
    start=$(now_ns)
    "$@" >/dev/null 2>&1 || true
    end=$(now_ns)
    t=$(((end - start) / 1000))
    if ((best == 0 || t < best)); then best=$t; fi
  done
  awk -v us="$best" 'BEGIN { printf "%.1f", us / 1000 }'
}

peak_mb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1 | awk '{ printf "%.1f", $1 / 1024 }'; }

printf '%-12s %7s %5s %8s %8s %8s %6s %9s %9s %8s %8s\n' listing supports cases MB "wc ms" "run ms" ratio \
  "ms/supp" "us/s.case" "ms/MB" "peak MB"
for shape in "${shapes[@]}"; do
  read -r name supports cases levels <<<"$shape"
  file="$listings/$name.ANL"
  [[ -s $file ]] || "$build/make_listing" "$file" --supports "$supports" --cases "$cases" --levels "$levels" >/dev/null
  mb=$(stat -c %s "$file" | awk '{ printf "%.1f", $1 / 1048576 }')
  wc=$(fastest_ms wc -l "$file")
  for mode in text json; do
    args=("$file" --sbc 200 --depth 1.5)
    [[ $mode == json ]] && args+=(--json)
    run=$(fastest_ms "$build/plintova-cli" "${args[@]}")
    "$build/plintova-cli" "${args[@]}" >/dev/null 2>&1 && status=0 || status=$?
    peak=$(peak_mb "$build/plintova-cli" "${args[@]}")
    awk -v n="$name/$mode" -v s="$supports" -v c="$cases" -v mb="$mb" -v wc="$wc" -v run="$run" -v peak="$peak" \
      -v st="$status" 'BEGIN {
        printf "%-12s %7d %5d %8.1f %8.1f %8.1f %6.1f %9.4f %9.3f %8.2f %8.1f%s\n", n, s, c, mb, wc, run, run / wc,
          run / s, run * 1000 / (s * c), run / mb, peak, st == 0 ? "" : "  (status " st ")" }'
  done
done
