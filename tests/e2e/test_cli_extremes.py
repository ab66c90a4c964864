"""Every output of the batch tool on projects with extreme but accepted values (the lowest and highest SBC
and founding depth, group sizes a step off their base, a footing resized to the largest side, a combined
footing of the largest length, schedule depths of 0 and 10 m, the smallest pedestal) holds no NaN and no
infinity: the JSON, the workbook, the drawing and plan PDFs, the DXF, both reports and the project file."""
import json
import math
import numbers
import os
import re
import subprocess
import tempfile

import ezdxf
import openpyxl

from cli_support import check, finish, FRAME1, run

NOT_FINITE = re.compile(r"\b(nan|inf|infinity)\b", re.IGNORECASE)


def strict_json(text):
    def refuse(constant):
        raise ValueError("holds %s" % constant)
    return json.loads(text, parse_constant=refuse)


def finite_values(value, where):
    """Every number finite and no text reading NaN or infinity, in nested lists, dicts, tuples and vectors."""
    if isinstance(value, numbers.Real) and not isinstance(value, bool):
        check(math.isfinite(value), "finite number at %s" % where)
    elif isinstance(value, str):
        check(not NOT_FINITE.search(value), "no NaN or infinity in the text at %s: %r" % (where, value))
    elif isinstance(value, dict):
        for k, v in value.items():
            finite_values(v, "%s.%s" % (where, k))
    elif hasattr(value, "__iter__"):
        for i, v in enumerate(value):
            finite_values(v, "%s[%d]" % (where, i))


def check_workbook(path):
    for ws in openpyxl.load_workbook(path).worksheets:
        for row in ws.iter_rows():
            for cell in row:
                finite_values(cell.value, "%s!%s" % (ws.title, cell.coordinate))


def check_dxf(path):
    doc = ezdxf.readfile(path)
    check(not doc.audit().has_errors, "%s: the audit finds no error" % path)
    for e in doc.modelspace():
        finite_values(e.dxf.all_existing_dxf_attribs(), "%s %s" % (path, e.dxftype()))


def extreme_project(listing, sbc, depth, plain):
    """A project of FRAME1 whose decisions reach the limits the program accepts, from the plain run's groups."""
    bases = sorted(g["GroupSize"] for g in plain["groups"])
    return {
        "format": "plintova-project", "version": 1, "listing": listing, "sbc": sbc, "depth": depth,
        "offsets": [{"joint": 1, "stepX": 1, "stepZ": -1}, {"joint": 8, "stepX": -1, "stepZ": 1}],
        "groups": [{"baseSize": bases[-1], "size": round(bases[-1] + 0.05, 2)},
                   {"baseSize": bases[0], "size": round(bases[0] - 0.05, 2), "checked": False}],
        "disabled": [40],
        "combined": [{"joints": [20, 21], "length": 30}],
        "resized": [{"joint": 22, "length": 30}, {"joint": 12, "length": 1.5}],
        "schedule": [{"baseSize": bases[-1], "depth": 10, "pedestal": bases[-1], "barDia": 20},
                     {"baseSize": bases[1], "depth": 0},
                     {"joint": 22, "depth": 0, "barDia": 20},
                     {"joint": 12, "depth": 10, "pedestal": 0.01},
                     {"joints": [20, 21], "depth": 10, "pedestal": 0.01}],
        "designed": True,
        "sheet": {"paper": "A1", "northRotation": 360},
    }


with tempfile.TemporaryDirectory() as tmp:
    for sbc, depth in ((50, 6), (1000, 0)):
        case = "SBC %d, depth %g" % (sbc, depth)
        plain = run(FRAME1, "--sbc", str(sbc), "--depth", str(depth), "--json")
        check(plain.returncode == 0, "%s: the plain run designs (%s)" % (case, plain.stderr[-300:]))
        if plain.returncode != 0:
            continue
        project = os.path.join(tmp, "extreme-%d.plintova" % sbc)
        with open(project, "w") as f:
            json.dump(extreme_project(FRAME1, sbc, depth, json.loads(plain.stdout)), f)
        out = {k: os.path.join(tmp, "%d-%s" % (sbc, k)) for k in
               ("run.xlsx", "drawing.pdf", "plan.pdf", "drawing.dxf", "report.md", "report.pdf", "saved.plintova")}
        r = run("--project", project, "--json", "--xlsx", out["run.xlsx"], "--pdf", out["drawing.pdf"],
                "--plan-pdf", out["plan.pdf"], "--dxf", out["drawing.dxf"], "--report", out["report.md"],
                "--save-project", out["saved.plintova"])
        check(r.returncode == 0, "%s: the extreme project is accepted and designed (%s)" % (case, r.stdout[-400:]))
        if r.returncode != 0:
            continue
        report = run("--project", project, "--report", out["report.pdf"])
        check(report.returncode == 0, "%s: the PDF report is written (%s)" % (case, report.stderr[-300:]))
        with open(out["saved.plintova"]) as f:
            for name, text in (("the JSON output", r.stdout), ("the saved project", f.read())):
                try:
                    finite_values(strict_json(text), name)
                except ValueError as e:
                    check(False, "%s: %s %s" % (case, name, e))
        check_workbook(out["run.xlsx"])
        check_dxf(out["drawing.dxf"])
        with open(out["report.md"]) as f:
            finite_values(f.read(), out["report.md"])
        for pdf in ("drawing.pdf", "plan.pdf", "report.pdf"):
            text = subprocess.run(["pdftotext", out[pdf], "-"], capture_output=True, text=True).stdout
            check(len(text) > 100, "%s: %s has text" % (case, pdf))
            finite_values(text, out[pdf])

finish(most=40)
