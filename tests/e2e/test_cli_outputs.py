"""End-to-end checks of the batch tool: captions, JSON, refusals, and the workbook read back by openpyxl."""
import json
import os
import re
import tempfile

import openpyxl

from cli_support import check, finish, FRAME1, ROOT, run

DATA = os.path.join(ROOT, "tests", "data")


def half_even_2(x):
    # Python's round() rounds the exact binary value half to even, as the program does.
    return round(x, 2)


# Reading alone prints the three captions of the start-up dialog.
r = run(FRAME1)
check(r.returncode == 0, "reading FRAME1 succeeds")
check(r.stdout.splitlines()[:3] == ["SUPPORT REACTIONS :   40", "LOAD CASES :   6", "Fck 25     Fe 415 N/mm2"],
      "captions of FRAME1: %r" % r.stdout.splitlines()[:3])

# JSON of a full run.
r = run(FRAME1, "--sbc", "200", "--depth", "1.5", "--json")
d = json.loads(r.stdout)
check(d["supportCount"] == 40 and d["loadCases"] == 6 and d["fck"] == 25 and d["fe"] == 415, "JSON counts")
check(d["sbc"] == 200 and d["earthPressure"] == 30, "JSON design inputs")
check(len(d["footings"]) == 40 and d["messages"] == [], "JSON footings and no messages")
check(d["gridX"] == sorted(d["gridX"]) and len(set(d["gridX"])) == len(d["gridX"]), "grid X ascending and distinct")
marks = [g["GroupMark"] for g in d["groups"] if g["MemberCount"] > 0]
check(marks == list(range(1, len(marks) + 1)), "group marks run F1, F2, ... without gaps")
check([s["mark"] for s in d["schedule"]] == ["F%d" % m for m in marks], "one schedule row per marked group")
for f in d["footings"]:
    g = d["groups"][f["GroupNo"] - 1]
    check(f["SizeL"] == f["SizeB"] == g["GroupSize"] and g["GroupSize"] >= f["ReqSize"], "footing in a large enough group")

# Refusals: an unusable listing exits 1 with its message, bad inputs exit 2.
r = run(os.path.join(DATA, "bad_unit.ANL"), "--json")
check(r.returncode == 1 and json.loads(r.stdout) == {"error": " Units Should be Meter or mm "}, "bad unit refused")
for sbc, depth in (("49", "1.5"), ("1001", "1.5"), ("200", "6.01"), ("200", "-0.5"), ("abc", "1.5")):
    check(run(FRAME1, "--sbc", sbc, "--depth", depth).returncode == 2, "refused inputs %s %s" % (sbc, depth))
check(run(FRAME1, "--sbc", "150.5", "--depth", "0").returncode == 0, "SBC 150.5 and depth 0 are accepted")
check(run(FRAME1, "--bogus").returncode == 2, "unknown option")
r = run("--help")
check(r.returncode == 0 and r.stdout.startswith("usage: plintova-cli") and r.stderr == "", "--help on standard output")
# Every output the usage offers is described in the manual page, and given without --sbc it is refused by
# its name, as the table of outputs lists them.
with open(os.path.join(ROOT, "packaging", "plintova-cli.1")) as f:
    manual = f.read().replace("\\-", "-")
outputs = sorted(set(re.findall(r"\[(--[a-z-]+) FILE", r.stdout)) - {"--options"})
check(len(outputs) == 6, "the usage offers six outputs: %r" % outputs)
for option in outputs:
    check(option in manual, "%s described in the manual page" % option)
    refused = run(FRAME1, option, "out.md" if option == "--report" else "out")
    check(refused.returncode == 2 and option in refused.stderr.splitlines()[0], "%s needs SBC and depth: %r"
          % (option, refused.stderr))

with tempfile.TemporaryDirectory() as tmp:
    # The workbook of FRAME1: the two pressure sheets, blocks of six load cases after the heading row, then
    # the schedule and the quantities.
    out = os.path.join(tmp, "frame1.xlsx")
    r = run(FRAME1, "--sbc", "200", "--depth", "1.5", "--xlsx", out, "--json")
    check(r.returncode == 0 and os.path.exists(out), "workbook written")
    d = json.loads(r.stdout)
    wb = openpyxl.load_workbook(out)
    check(wb.sheetnames == ["Pressures - groups", "Pressures - resized", "Schedule", "Quantities",
                            "Bar bending schedule"],
          "sheet names %r" % wb.sheetnames)
    rows = list(wb["Pressures - groups"].iter_rows(values_only=True))
    check(rows[0][:10] == ("Joint", "Load case", "FY kN", "MX kN\u00b7m", "MZ kN\u00b7m", "Mark", "Size m",
                           "pmin kN/m\u00b2", "pmax kN/m\u00b2", "Allowable kN/m\u00b2"), "headings %r" % (rows[0],))
    check(wb["Pressures - groups"].freeze_panes == "A2", "the heading stays in view")
    # Every sheet prints landscape, one page wide, its heading rows on every page, its columns as wide as
    # their texts.
    for ws in wb.worksheets:
        setup = ws.page_setup
        # One page wide is the file's default: the width is left out, the height given as 0 (as many as need).
        check(setup.orientation == "landscape" and ws.sheet_properties.pageSetUpPr.fitToPage and
              setup.fitToWidth in (None, 1) and setup.fitToHeight == 0, "%s prints one page wide, landscape" % ws.title)
        titles = (ws.print_title_rows or "").replace("$", "")
        check(titles.startswith("1:"), "%s repeats its heading: %r" % (ws.title, ws.print_title_rows))
        check(ws.column_dimensions["A"].width >= 8, "%s has its column widths" % ws.title)
    sched = list(wb["Schedule"].iter_rows(values_only=True))
    check(sched[0][0] == "GRP" and [r[0] for r in sched[1:len(d["schedule"]) + 1]] ==
          [r["mark"] for r in d["schedule"]], "schedule sheet rows %r" % ([r[0] for r in sched],))
    quant = list(wb["Quantities"].iter_rows(values_only=True))
    check(quant[-1][0] == "Total" and quant[-1][2] > 0, "quantities total %r" % (quant[-1],))
    # The quantities' own lines, the lean bed among them, are the JSON's figures row by row.
    column = {h: k for k, h in enumerate(quant[0])}
    for line, q in zip(quant[1:], d["quantities"]["rows"] + [d["quantities"]["total"]]):
        check(line[0] == q["mark"] and line[column["Lean concrete m\u00b3"]] == q["leanConcrete"] > 0 and
              line[column["Footing concrete m\u00b3"]] == q["footingConcrete"], "quantities of %r: %r" % (q, line))
    # The bar bending schedule lists the JSON's every bar mark, and its total weight is the quantities'.
    bbs = list(wb["Bar bending schedule"].iter_rows(values_only=True))
    marks = [b["mark"] for b in d["barBendingSchedule"]["bars"]]
    check([r[0] for r in bbs[1:len(marks) + 1]] == marks, "bar marks %r" % ([r[0] for r in bbs[:5]],))
    total = next(r for r in bbs if r[0] == "Total")
    steel = quant[-1][column["Reinforcement kg"]]
    check(total[2] == steel == d["barBendingSchedule"]["weight"] == d["quantities"]["total"]["steel"],
          "steel of the bar bending schedule %r, of the quantities %r" % (total[2], steel))
    block = rows[1:7]
    check(all(v is None for v in rows[7]), "an empty row after the first block")
    joint = block[0][0]
    f = next(f for f in d["footings"] if f["JointNo"] == joint)
    check([row[1] for row in block] == [1, 2, 3, 4, 5, 6], "load cases 1..6 in the block")
    for row in block:
        jno, lc, fy, mx, mz, mark, size, pmin, pmax, allow = row[:10]
        check(jno == joint and mark == "F%d" % f["GroupRank"] and size == f["SizeL"], "block identity")
        p = 1.1 * fy
        m = 6 * (abs(mx) + abs(mz))
        check(pmax == half_even_2(p / size ** 2 + m / size ** 3), "pmax of joint %s case %s" % (jno, lc))
        check(pmin == half_even_2(p / size ** 2 - m / size ** 3), "pmin of joint %s case %s" % (jno, lc))
        # The earthquake cases 2 to 5, by their titles, take 1.25 x SBC; cases 1 and 6 SBC.
        check(allow == (250 if 2 <= lc <= 5 else 200), "allowable pressure by case")
        check(len([v for v in row if v is not None]) == 10, "a passing row has ten cells")
    check(sum(1 for row in rows[1:] if row[0] is not None) == 40 * 6, "every footing and case exported once")
    check(len(list(wb["Pressures - resized"].iter_rows(values_only=True))) <= 1, "no hand-resized footings: headings only")

    # A footing whose uplift exceeds the soil's weight fails.
    out = os.path.join(tmp, "fail.xlsx")
    r = run(os.path.join(DATA, "fail_row.ANL"), "--sbc", "200", "--depth", "1.5", "--xlsx", out)
    rows = list(openpyxl.load_workbook(out)["Pressures - groups"].iter_rows(values_only=True))
    check(rows[1] == (1, 1, 10, 2000, 0, "F1", 6, -55.25, 55.86, 200, "FAIL"), "FAIL row %r" % (rows[1],))

    # An unwritable destination is reported and leaves no file.
    bad = os.path.join(tmp, "no-such-folder", "x.xlsx")
    r = run(FRAME1, "--sbc", "200", "--depth", "1.5", "--xlsx", bad)
    check(r.returncode == 1 and not os.path.exists(bad), "unwritable workbook reported")

finish("FAIL: ")
