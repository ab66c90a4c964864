#!/bin/bash
# The outputs of a large building against the plain batch run of the same listing: the workbook, the
# calculation report as PDF and the drawing's DXF, each timed with the batch run that makes it (fastest
# of RUNS runs), as a ratio to the plain run, with the report's pages and peak memory.
#
#   bench/outputs_bench.sh [BUILD_FOLDER] [RUNS] [SUPPORTS] [CASES]
# The listing (the capacity listing of the old fixed tables unless told otherwise) and the outputs are
# written into BUILD_FOLDER/bench-listings (never into the sources).
set -euo pipefail
build=${1:-build}
runs=${2:-5}
supports=${3:-500}
cases=${4:-36}
folder="$build/bench-listings"
mkdir -p "$folder"
listing="$folder/outputs-s$supports-c$cases.ANL"
[[ -s $listing ]] || "$build/make_listing" "$listing" --supports "$supports" --cases "$cases" --levels 25 >/dev/null

now_ns() { date +%s%N; }
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

base=("$build/plintova-cli" "$listing" --sbc 200 --depth 1.5)
plain=$(fastest_ms "${base[@]}")
printf '%-8s %9s %7s %9s\n' output "run ms" ratio "peak MB"
printf '%-8s %9.1f %7.1f %9s\n' plain "$plain" 1 "$(peak_mb "${base[@]}")"
for output in xlsx:--xlsx:workbook.xlsx report:--report:report.pdf dxf:--dxf:drawing.dxf; do
  IFS=: read -r name flag file <<<"$output"
  args=("${base[@]}" "$flag" "$folder/$file")
  run=$(fastest_ms "${args[@]}")
  printf '%-8s %9.1f %7.1f %9s\n' "$name" "$run" "$(awk -v a="$run" -v b="$plain" 'BEGIN { print a / b }')" \
    "$(peak_mb "${args[@]}")"
done
if command -v pdfinfo >/dev/null; then pdfinfo "$folder/report.pdf" | awk '/^Pages:/ { print "report pages: " $2 }'; fi
