"""End-to-end checks of listings in other units: FRAME1 in kN and millimetres, and in kips and feet,
designs exactly as FRAME1 does; unknown units are refused with their messages."""
import json
import os

from cli_support import check, finish, FRAME1, ROOT, run

DATA = os.path.join(ROOT, "tests", "data")


def design(listing):
    r = run(listing, "--sbc", "200", "--depth", "1.5", "--json")
    check(r.returncode == 0, "%s is designed: %s" % (os.path.basename(listing), r.stdout[-200:] + r.stderr[-200:]))
    return json.loads(r.stdout) if r.returncode == 0 else {}


frame1 = design(FRAME1)
check(len(frame1.get("footings", [])) == 40, "FRAME1 has 40 footings")

# The millimetre listing reads to the same reactions bit for bit. The feet listing's reactions differ
# from FRAME1's by some 1e-5 kN, far below the rounding of every figure the batch tool prints.
def without_check_figures(schedule):
    # The code checks print their demands to seven digits, where 1e-5 kN can show; which pass does not move.
    return [dict(row, checks=[(c["name"], c["ok"]) for c in row.get("checks", [])]) for row in schedule or []]


for name in ("frame1_kn_mms.ANL", "frame1_kip_feet.ANL"):
    other = design(os.path.join(DATA, name))
    for key in ("footings", "groups", "combined", "gridX", "gridZ", "messages"):
        check(other.get(key) == frame1.get(key), "%s gives FRAME1's %s" % (name, key))
    same = other.get("schedule") == frame1.get("schedule")
    if name == "frame1_kip_feet.ANL":
        same = without_check_figures(other.get("schedule")) == without_check_figures(frame1.get("schedule"))
    check(same, "%s gives FRAME1's schedule" % name)

# 24 load cases, factored moments running into the fields before them: every case is read.
cases = design(os.path.join(DATA, "frame1_kns_mms_24_cases.ANL"))
check(cases.get("loadCases") == 24 and len(cases.get("footings", [])) == 40, "24 load cases of 40 supports")
check(cases.get("gridX") == frame1.get("gridX") and cases.get("gridZ") == frame1.get("gridZ"), "the same grid")
# Case 15 is 1.5 x case 1 and never smaller: no footing is smaller than FRAME1's.
sizes = {f["JointNo"]: f["ReqSize"] for f in frame1.get("footings", [])}
check(all(f["ReqSize"] >= sizes[f["JointNo"]] for f in cases.get("footings", [])), "larger loads, no smaller footing")

# Units the reader does not know: the message begins as it always has, then names the file and the units.
for name, message in (("bad_unit.ANL", " Units Should be Meter or mm "),
                      ("unknown_reaction_unit.ANL", " NO SUPPORT REACTIONS  (or) Units differ \nThe listing %s cannot be "
                       'used: its reaction table gives its units as "DNS  METE"' % os.path.join(DATA, "unknown_reaction_unit.ANL"))):
    r = run(os.path.join(DATA, name), "--json")
    error = json.loads(r.stdout or "{}").get("error", "")
    check(r.returncode == 1 and error.startswith(message), "%s refused: %r" % (name, r.stdout))

finish("FAIL: ")
