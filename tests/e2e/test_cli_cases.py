"""The batch tool's grades and load cases: a listing without grades designs with --fck and --fe as the
listing with them does; grades that cannot be designed are refused; --cases and --increased-cases choose
the cases as the start-up dialog does; a project keeps the choice and settles it."""
import json
import os
import tempfile

from cli_support import ROOT, check, finish, run

FRAME1 = os.path.join(ROOT, "examples", "FRAME1.ANL")
NO_DESIGN = os.path.join(ROOT, "tests", "data", "frame1_no_design.ANL")
DESIGN = ["--sbc", "200", "--depth", "1.5"]


def plan(out):
    # Without a concrete design block the listing has no column sections either: ColumnMember is left out,
    # and a row whose columns need a larger pedestal than the size table's (F1 and F2 of FRAME1) is designed
    # on the table's pedestal there; the rows with the same pedestal are the same.
    d = json.loads(out)
    footings = [{k: v for k, v in f.items() if k != "ColumnMember"} for f in d["footings"]]
    # (nor the checks of the pedestals around the columns, nor the pedestals' bars, which know the columns)
    rows = {r["mark"]: {k: v for k, v in r.items() if k not in ("checks", "pedestals")} for r in d["schedule"]}
    return footings, d["groups"], rows

def same_plan(a, b):
    fa, ga, ra = a
    fb, gb, rb = b
    return fa == fb and ga == gb and ra.keys() == rb.keys() and all(
        ra[m] == rb[m] for m in ra if (ra[m]["pedestalX"], ra[m]["pedestalZ"]) == (rb[m]["pedestalX"], rb[m]["pedestalZ"]))


frame = run(FRAME1, *DESIGN, "--json")
check(frame.returncode == 0, "FRAME1 runs")

# Without grades: refused with status 1 until they are given; given, the same design as FRAME1's.
r = run(NO_DESIGN, *DESIGN, "--json")
check(r.returncode == 1 and "No concrete grade Fck" in json.loads(r.stdout).get("error", ""),
      "no grades: status 1 and the reason: %r" % r.stdout)
r = run(NO_DESIGN)
check("No concrete design grades in the listing" in r.stdout, "the caption says the listing gives no grades")
r = run(NO_DESIGN, *DESIGN, "--fck", "25", "--fe", "415", "--json")
check(r.returncode == 0, "grades given: status 0 (%s)" % r.stderr)
if r.returncode == 0:
    check(same_plan(plan(r.stdout), plan(frame.stdout)), "grades given: the same footings, groups and schedule as FRAME1")
    check(json.loads(r.stdout)["fck"] == 25, "the JSON gives the grade used")
r = run(NO_DESIGN, *DESIGN, "--fck", "25", "--fe", "415")
check("Fck 25 (given)" in r.stdout, "the captions show the grades as given: %r" % r.stdout[:300])

# Grades the design cannot work with.
for args, why in ((["--fck", "22"], "Fck 22 cannot be designed"), (["--fe", "300"], "Fe 300 cannot be designed"),
                  (["--fck", "M25"], "whole number")):
    r = run(FRAME1, *DESIGN, *args)
    check(r.returncode == 2 and why in r.stderr, "%s: status 2 and %r: %r" % (args, why, r.stderr))
r = run(FRAME1, *DESIGN, "--fck", "45", "--json")
check(r.returncode == 0, "M45 designs (with the M40 column of the shear table)")

# Load cases: the default rule given as a choice changes nothing; only case 1 uses case 1 alone.
r = run(FRAME1, *DESIGN, "--increased-cases", "2-6", "--json")
check(r.returncode == 0 and plan(r.stdout) == plan(frame.stdout), "--increased-cases 2-6 is the default")
r = run(FRAME1, *DESIGN, "--increased-cases", "1-6", "--json")
if r.returncode == 0:
    more = {f["JointNo"]: f["ReqSize"] for f in json.loads(r.stdout)["footings"]}
    base = {f["JointNo"]: f["ReqSize"] for f in json.loads(frame.stdout)["footings"]}
    check(all(more[j] <= base[j] for j in base) and any(more[j] < base[j] for j in base),
          "every case at 1.25 x SBC: no footing larger, some smaller")
r = run(FRAME1, *DESIGN, "--cases", "1", "--json")
check(r.returncode == 0 and json.loads(r.stdout)["loadCases"] == 1, "--cases 1: one load case")
for bad in (["--cases", "9"], ["--cases", "1,"], ["--increased-cases", "7"]):
    r = run(FRAME1, *DESIGN, *bad)
    check(r.returncode == 2, "%s: status 2, got %d" % (bad, r.returncode))

# A project keeps the choice and the given grades; with --project they cannot be given again.
with tempfile.TemporaryDirectory() as tmp:
    project = os.path.join(tmp, "run.plintova")
    first = run(NO_DESIGN, *DESIGN, "--fck", "25", "--fe", "415", "--cases", "1-3", "--increased-cases", "3",
                "--save-project", project, "--json")
    check(first.returncode == 0, "a run with every choice is saved (%s)" % first.stderr)
    with open(project) as f:
        saved = json.load(f)
    check(saved.get("cases") == [1, 2, 3] and saved.get("increasedCases") == [3] and saved.get("fck") == 25 and
          saved.get("fe") == 415, "the project keeps cases, increased cases and grades: %r" % saved)
    again = run("--project", project, "--json")
    check(again.returncode == 0 and plan(again.stdout) == plan(first.stdout), "--project repeats the run")
    for settled in (["--fck", "30"], ["--cases", "1"], ["--increased-cases", "2"]):
        r = run("--project", project, *settled)
        check(r.returncode == 2, "%s with --project: status 2" % settled)

finish()
