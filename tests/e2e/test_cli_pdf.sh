#!/usr/bin/env bash
# The batch tool prints FRAME1's plan to an A3 PDF (--plan-pdf) and its footing drawing (--pdf) that poppler
# reads back: size, orientation, marks, spacings; the drawing's schedule, scale and title block.
set -euo pipefail
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$PLINTOVA_CLI" "$PLINTOVA_ROOT/examples/FRAME1.ANL" --sbc 200 --depth 1.5 --plan-pdf "$tmp/plan.pdf" \
  --pdf "$tmp/sheet.pdf" >/dev/null 2>&1
info=$(pdfinfo "$tmp/plan.pdf")
grep -q "Pages: *1" <<<"$info" || { echo "not one page"; exit 1; }
# FRAME1 is wider than deep: landscape A3.
grep -q "Page size: *1191 x 842 pts (A3)" <<<"$info" || { echo "not landscape A3: $info"; exit 1; }
text=$(pdftotext -layout "$tmp/plan.pdf" -)
for want in F1 F2 "(1)" "(40)" 5000 5500 4500; do
  grep -qF -- "$want" <<<"$text" || { echo "missing text $want"; exit 1; }
done

# The drawing: a first landscape A3 sheet with the plan (at 1:300, where every text stands 2.5 mm high), the
# schedule, the notes and the title block; no joint numbers (those belong to the plan page). The typical
# sections and the bar bending schedule follow on sheets of their own.
info=$(pdfinfo "$tmp/sheet.pdf")
pages=$(sed -n 's/^Pages: *//p' <<<"$info")
[ "$pages" -ge 2 ] || { echo "the drawing has no sheets after the plan: $info"; exit 1; }
grep -q "Page size: *1191 x 842 pts (A3)" <<<"$info" || { echo "the drawing is not landscape A3: $info"; exit 1; }
rest=$(pdftotext -layout -f 2 "$tmp/sheet.pdf" -)
for want in "TYPICAL SECTIONS" "F1: TYPICAL SECTION" "F11: TYPICAL SECTION" "BAR BENDING SCHEDULE" "AS SHOWN"; do
  grep -qF -- "$want" <<<"$rest" || { echo "missing text after the plan's sheet: $want"; exit 1; }
done
text=$(pdftotext -layout -l 1 "$tmp/sheet.pdf" -)
for want in "FOOTING SCHEDULE" "FOOTING LAYOUT PLAN" F1 F11 "1:300 (A3)" "1 OF $pages" FRAME1.ANL "10 Ø @ 120 c/c" \
  "2900 x 2900" "Clear cover to the reinforcement 50 mm" 34000 21000; do
  grep -qF -- "$want" <<<"$text" || { echo "missing text in the drawing: $want"; exit 1; }
done
grep -qF -- "(40)" <<<"$text" && { echo "joint numbers on the drawing"; exit 1; }

# Qt is loaded only for a PDF: a text run maps no Qt library, a PDF run maps the renderer.
libs() { LD_DEBUG=libs "$PLINTOVA_CLI" "$PLINTOVA_ROOT/examples/FRAME1.ANL" --sbc 200 --depth 1.5 "$@" 2>&1 >/dev/null |
  grep -o 'calling init: [^ ]*' || true; }
grep -q libQt6 <<<"$(libs --json)" && { echo "a text run loads Qt: $(libs --json)"; exit 1; }
grep -q 'plintova-pdf.so' <<<"$(libs --plan-pdf "$tmp/plan2.pdf")" || { echo "a PDF run does not load the renderer"; exit 1; }
# Without its renderer the batch tool says so, names the file and writes nothing.
cp "$PLINTOVA_CLI" "$tmp/plintova-cli"
if "$tmp/plintova-cli" "$PLINTOVA_ROOT/examples/FRAME1.ANL" --sbc 200 --depth 1.5 --pdf "$tmp/alone.pdf" \
  >/dev/null 2>"$tmp/err"; then echo "a PDF without the renderer succeeded"; exit 1; fi
grep -q 'The PDF renderer .*plintova-pdf.so could not be opened' "$tmp/err" || { echo "no message: $(cat "$tmp/err")"; exit 1; }
[ -e "$tmp/alone.pdf" ] && { echo "a PDF was written without the renderer"; exit 1; }
echo ok
