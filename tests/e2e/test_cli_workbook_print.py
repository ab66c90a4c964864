"""The workbook of a project with grouped, hand-resized and combined footings as a checker reads and prints
it: sheets named for what they hold, marks as on the drawing, headings with their units, and (where
LibreOffice is installed) every sheet printed at most one page wide with its heading on every page."""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

import openpyxl

from cli_support import check, CLI, failures, finish, ROOT


UNITS = ("kN", "kN·m", "kN/m²", "m", "mm", "mm²", "m³", "m²", "kg", "%")

with tempfile.TemporaryDirectory() as tmp:
    shutil.copyfile(os.path.join(ROOT, "examples", "FRAME1.ANL"), os.path.join(tmp, "FRAME1.ANL"))
    project = os.path.join(tmp, "hand.plintova")
    with open(project, "w") as f:
        json.dump({"format": "plintova-project", "version": 1, "listing": "FRAME1.ANL", "sbc": 200, "depth": 1.5,
                   "combined": [{"joints": [21, 20], "length": 4.1}], "resized": [{"joint": 22, "length": 2.7}],
                   "designed": True}, f)
    book = os.path.join(tmp, "pressures.xlsx")
    r = subprocess.run([CLI, "--project", project, "--xlsx", book], capture_output=True, text=True)
    check(r.returncode == 0, "the workbook is written: %r" % r.stderr)
    wb = openpyxl.load_workbook(book)
    names = ["Pressures - groups", "Pressures - resized", "C1", "Schedule", "Quantities", "Bar bending schedule"]
    check(wb.sheetnames == names, "sheets named for what they hold: %r" % wb.sheetnames)

    # Marks as the drawing gives them, and numeric headings with their units.
    resized = list(wb["Pressures - resized"].iter_rows(values_only=True))
    check(resized[1][5] == "R1" and resized[1][0] == 22, "the resized footing as R1: %r" % (resized[1],))
    check(all(not str(v).startswith(("RF", "CF")) for row in resized for v in row if v is not None), "no RF marks")
    for name in names[:3]:
        ws = wb[name]
        heading = 4 if name == "C1" else 1
        for cell in ws[heading]:
            text = cell.value
            if text in (None, "Joint", "Load case", "Mark"):
                continue
            check(text.split()[-1] in UNITS, "%s: heading %r gives its unit" % (name, text))
    c1 = wb["C1"]
    check(c1.cell(3, 3).value == "Joint" and c1.cell(3, 4).value == 20 and c1.cell(3, 9).value == 21,
          "C1 names its joints where they always stood")
    check(c1.cell(30, 7).value == "Length m" and c1.cell(30, 8).value == 4.1, "C1's length in (30, 8)")

    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        print("LibreOffice is not installed: the print check is skipped")
        if failures:
            print("\n".join("FAIL: " + f for f in failures))
            sys.exit(1)
        sys.exit(77)
    profile = "-env:UserInstallation=file://" + os.path.join(tmp, "profile")
    r = subprocess.run([soffice, profile, "--headless", "--convert-to", "pdf", "--outdir", tmp, book],
                       capture_output=True, text=True, timeout=240)
    pdf = os.path.join(tmp, "pressures.pdf")
    check(r.returncode == 0 and os.path.exists(pdf), "LibreOffice prints the workbook: %r" % r.stderr[-300:])
    if os.path.exists(pdf):
        pages = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True).stdout.split("\f")
        pages = [p for p in pages if p.strip()]
        # Each page carries its sheet's name over it; every page of a sheet shows the first and the last of
        # its headings: the sheet is never cut into page widths.
        firsts = {"Pressures - groups": ("Joint", "Allowable"), "Pressures - resized": ("Joint", "Allowable"),
                  "C1": ("Load case", "MX 21"), "Schedule": ("GRP", "Checks"), "Quantities": ("Row", "Formwork"),
                  "Bar bending schedule": ("Bar mark", "Weight kg")}
        seen = set()
        for n, page in enumerate(pages, 1):
            header = page.strip().splitlines()[0].strip()
            sheet = next((s for s in firsts if header == s), None)
            check(sheet is not None, "page %d names its sheet: %r" % (n, header))
            if sheet:
                seen.add(sheet)
                first, last = firsts[sheet]
                check(first in page and last in page, "page %d of %s holds the whole width" % (n, sheet))
                check(re.search(r"Page \d+ of \d+", page), "page %d is numbered" % n)
        check(seen == set(firsts), "every sheet printed: %r" % sorted(seen))

finish("FAIL: ")
