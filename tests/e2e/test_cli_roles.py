"""The batch tool's load cases by role: combinations built from primary cases give the footings that the
same combinations held in the listing give; --roles gives cases their roles; --combine builds the
combinations where the analysis was P-delta; the JSON gives each case's role, design factor and parts; a
saved project keeps the roles and the combinations."""
import json
import os
import tempfile

from cli_support import ROOT, check, finish, run

DATA = os.path.join(ROOT, "tests", "data")
PRIMARY = os.path.join(DATA, "primary_cases.ANL")
COMBINED = os.path.join(DATA, "combined_cases.ANL")
DESIGN = ["--sbc", "200", "--depth", "1.5"]


def designed(listing, *args):
    r = run(listing, *DESIGN, "--json", *args)
    check(r.returncode == 0, "%s %s: status 0 (%s %s)" % (os.path.basename(listing), args, r.stderr, r.stdout[:300]))
    return json.loads(r.stdout) if r.returncode == 0 else {}


def plan(d):
    # The governing case's position differs where the table holds the primary cases before the combinations.
    rows = [{k: v for k, v in row.items() if k != "GovCase"} for row in d.get("schedule", [])]
    return d.get("footings"), d.get("groups"), rows


def variant(tmp, name, old, new):
    text = open(PRIMARY, encoding="latin-1").read()
    for o, n in zip(old, new):
        check(o in text, "the listing holds %r" % o)
        text = text.replace(o, n)
    path = os.path.join(tmp, name)
    with open(path, "w", encoding="latin-1", newline="") as f:
        f.write(text)
    return path


built, held = designed(PRIMARY), designed(COMBINED)
check(plan(built) == plan(held), "built combinations give the footings and schedule of the same combinations read")
cases = {c["number"]: c for c in built.get("cases", [])}
check(sorted(cases) == [1, 2, 3, 4] + list(range(101, 123)), "cases 1-4 and the combinations 101-122: %r" % sorted(cases))
check([cases[n]["role"] for n in (1, 2, 3, 4)] == ["dead", "imposed", "wind", "earthquake"], "roles from load types")
check(cases[1]["factor"] is None and cases[101]["factor"] is None and cases[113]["factor"] == 1,
      "design factors: none for a primary or a service case beside factored ones, 1 for a factored case")
check(cases[113]["title"] == "1.2 (DL + IL + EQX)" and cases[113]["role"] == "factored", "case 113: %r" % cases[113])
check(cases[113].get("combination") == [{"case": 1, "factor": 1.2}, {"case": 2, "factor": 1.2},
                                         {"case": 4, "factor": 1.2}], "case 113's parts: %r" % cases[113])
check(cases[108]["increased"] and not cases[101]["increased"], "the earthquake combination takes the increased SBC")
check(held.get("messages") == [] and built.get("messages") == [], "nothing doubtful: %r" % built.get("messages"))

with tempfile.TemporaryDirectory() as tmp:
    # Without load types every case is a service combination, each taken alone, with a warning; the roles
    # given build the same combinations as the load types do.
    untyped = variant(tmp, "untyped.ANL", ["LOADTYPE DEAD TITLE ", "LOADTYPE LIVE TITLE ", "LOADTYPE WIND TITLE ",
                                           "LOADTYPE SEISMIC TITLE "], ["", "", "", ""])
    alone = designed(untyped)
    check(len(alone.get("cases", [])) == 4 and all(c["role"] == "service" for c in alone.get("cases", [])),
          "untyped: four service cases, nothing built")
    roles = designed(untyped, "--roles", "1:dead,2:imposed,3:wind,4:earthquake")
    check(plan(roles) == plan(built), "--roles: the footings of the typed listing")
    for bad, why in (("1:deadish", "no role"), ("9:dead", "Load case 9 is not in the listing"), ("1", "roles")):
        r = run(untyped, *DESIGN, "--roles", bad)
        check(r.returncode == 2 and why in r.stderr, "--roles %s: status 2 and %r: %r" % (bad, why, r.stderr))

    # A P-delta analysis: nothing built without --combine (the primary cases alone, with a warning).
    pdelta = variant(tmp, "pdelta.ANL", ["PERFORM ANALYSIS"], ["PDELTA ANALYSIS"])
    plain = designed(pdelta)
    check(any("PDELTA" in m for m in plain.get("messages", [])), "P-delta: said: %r" % plain.get("messages"))
    check(any("primary loads only" in m for m in plain.get("messages", [])), "P-delta: primary cases only said")
    combined = designed(pdelta, "--combine")
    check(plan(combined) == plan(built), "--combine: the combinations built all the same")

    # A saved project keeps the roles and the combinations and repeats the run.
    saved = os.path.join(tmp, "untyped.plintova")
    r = run(untyped, *DESIGN, "--roles", "1:dead,2:imposed,3:wind,4:earthquake", "--save-project", saved)
    check(r.returncode == 0, "saved: %s" % r.stderr)
    project = json.load(open(saved)) if r.returncode == 0 else {}
    check(project.get("version") == 4, "project file version 4")
    check(project.get("caseRoles", [])[:1] == [{"case": 1, "role": "dead"}], "caseRoles: %r" % project.get("caseRoles"))
    check(len(project.get("combinations", [])) == 22 and project["combinations"][0]["number"] == 101,
          "the combinations are saved")
    again = run("--project", saved, "--json")
    check(again.returncode == 0 and plan(json.loads(again.stdout)) == plan(built), "the project repeats the run")

finish()
