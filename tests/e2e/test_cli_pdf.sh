#!/usr/bin/env bash
# The batch tool prints FRAME1's plan to an A3 PDF that poppler reads back: size, orientation, marks, spacings.
set -euo pipefail
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$PLINTOVA_CLI" "$PLINTOVA_ROOT/examples/FRAME1.ANL" --sbc 200 --depth 1.5 --pdf "$tmp/plan.pdf" >/dev/null 2>&1
info=$(pdfinfo "$tmp/plan.pdf")
grep -q "Pages: *1" <<<"$info" || { echo "not one page"; exit 1; }
# FRAME1 is wider than deep: landscape A3.
grep -q "Page size: *1191 x 842 pts (A3)" <<<"$info" || { echo "not landscape A3: $info"; exit 1; }
text=$(pdftotext -layout "$tmp/plan.pdf" -)
for want in F1 F2 "(1)" "(40)" 5000 5500 4500; do
  grep -qF -- "$want" <<<"$text" || { echo "missing text $want"; exit 1; }
done
echo ok
