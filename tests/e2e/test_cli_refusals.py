"""The batch tool on listings whose footings cannot all be designed: a plan beyond a table of the model
ends with status 1 and its reason, never status 0 with an empty schedule; reactions far too large name
the joint and the side; a footing no wider than its pedestal gets no schedule row and one message."""
import json
import math
import os
import subprocess
import tempfile

from cli_support import check, CLI, finish


def listing(supports):
    """A listing in the analysis program's layout: supports as (joint, x m, z m, [(FY, MX, MZ), ...]),
    each with a 450 x 300 mm column 3 m high."""
    out = ["  GENERATED FRAME                                     -- PAGE NO.    1", ""]
    echo = [0]

    def line(text):
        echo[0] += 1
        out.append("%6d. %s" % (echo[0], text))

    line("STAAD SPACE GENERATED")
    line("UNIT METER KN")
    line("JOINT COORDINATES")
    for joint, x, z, _ in supports:
        line("%d %g 0 %g; %d %g 3 %g;" % (joint, x, z, 10000 + joint, x, z))
    line("MEMBER INCIDENCES")
    for m, (joint, _, _, _) in enumerate(supports, 1):
        line("%d %d %d;" % (m, joint, 10000 + joint))
    line("PERFORM ANALYSIS")
    out += ["", "  SUPPORT REACTIONS -UNIT KN   METE     STRUCTURE TYPE = SPACE", "  -----------------", "",
            "  JOINT  LOAD   FORCE-X   FORCE-Y   FORCE-Z     MOM-X     MOM-Y     MOM Z", ""]
    for joint, _, _, cases in supports:
        for c, (fy, mx, mz) in enumerate(cases):
            out.append("%7s%5d%10.2f%10.2f%10.2f%10.2f%10.2f%10.2f" %
                       (str(joint) if c == 0 else "", c + 1, 0.0, fy, 0.0, mx, 0.0, mz))
        out.append("")
    out.append(" ************** END OF LATEST ANALYSIS RESULT **************")
    out.append("")
    line("START CONCRETE DESIGN")
    line("UNIT MMS NEWTON")
    line("FYMAIN 415 ALL")
    line("FC 25 ALL")
    line("END CONCRETE DESIGN")
    line("FINISH")
    return "\n".join(out) + "\n"


def run_json(text, *extra):
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "GEN.ANL")
        with open(path, "w") as f:
            f.write(text)
        r = subprocess.run([CLI, path, "--sbc", "200", "--depth", "1.5", "--json", *extra],
                           capture_output=True, text=True, timeout=120)
        return r.returncode, json.loads(r.stdout), r.stderr


def no_nan(value, where):
    if isinstance(value, float):
        check(math.isfinite(value), "finite number in %s" % where)
    elif isinstance(value, dict):
        for k, v in value.items():
            no_nan(v, where + "." + k)
    elif isinstance(value, list):
        for i, v in enumerate(value):
            no_nan(v, "%s[%d]" % (where, i))


# Plans past the old fixed tables are designed whole: 200 distinct column lines along X (the grid held
# 199), and 101 footings of one size (a group held 100), all in one schedule row.
code, out, _ = run_json(listing([(j, 3.0 * j, 0, [(500, 0, 0)]) for j in range(1, 201)]))
check(code == 0 and len(out.get("footings", [])) == 200, "200 grid lines: status 0, got %d" % code)
code, out, _ = run_json(listing([(j, 3.0 * (j % 20), 3.0 * (j // 20), [(500, 0, 0)]) for j in range(1, 102)]))
check(code == 0, "101 footings of one size: status 0, got %d" % code)
marks = {f.get("GroupRank") for f in out.get("footings", [])}
check(marks == {1}, "101 footings of one size: one group, got ranks %r" % marks)

# A reaction read in the wrong units: the side needed is far beyond any footing.
code, out, _ = run_json(listing([(1, 0, 0, [(500, 0, 0)]), (7, 6, 0, [(500, 0, 0), (250000, 0, 0)])]))
check(code == 1, "huge reaction: status 1, got %d" % code)
err = out.get("error", "")
check(err.startswith("Joint 7 needs a footing side of ") and "units of the reactions" in err,
      "huge reaction: the error names the joint, the side and the units: %r" % err)

# A support with no load at all still gets the least footing: the 0.4 m pedestal with 150 mm beyond it,
# 0.7 m, and a schedule row of its own; no footing is 0 m. A
# support lifted by 20 kN is sized to be held down by its weight (about 1 m) and gets its row.
code, out, _ = run_json(listing([(1, 0, 0, [(0, 0, 0)]), (2, 6, 0, [(800, 0, 0)]), (3, 12, 0, [(1400, 0, 0)]),
                                 (4, 18, 0, [(-20, 0, 0)])]))
check(code == 0, "no load, upward reaction: status 0, got %d" % code)
no_nan(out, "json")
marks = {f["GroupRank"] for f in out["footings"]}
rows = [r["mark"] for r in out["schedule"]]
check(rows == ["F1", "F2", "F3", "F4"], "every footing has its row: %r" % rows)
check(marks == {1, 2, 3, 4}, "the plan marks F1 to F4: %r" % marks)
unloaded = [f for f in out["footings"] if f["JointNo"] == 1][0]
check(unloaded["ReqSize"] == 0.7, "the unloaded support's least footing: %r" % unloaded)
check(not [m for m in out["messages"] if m.startswith("No schedule row")], "no row is missing: %r" % out["messages"])
lifted = next(f for f in out["footings"] if f["JointNo"] == 4)
check(lifted["UpliftGoverns"] and 0.9 < lifted["ReqSize"] < 1.2, "the lifted footing is held down: %r" % lifted)
for r in out["schedule"]:
    check(r["CantL"] > 0 and r["SF1"] >= 0 and (r["Space"] is None or r["Space"] > 0),
          "row %s: positive cantilever, shear and spacing" % r["mark"])

# Every figure of a sound run is a finite number.
code, out, _ = run_json(listing([(j, 5.0 * (j % 4), 5.0 * (j // 4), [(300 + 40 * j, 10 * j, 5)]) for j in range(1, 13)]))
check(code == 0, "a sound run: status 0")
no_nan(out, "json")

finish()
