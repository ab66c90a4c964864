"""Project files of every earlier version open in this one: the version-1 project of FRAME1 kept under
tests/data opens with every decision applied, and its result is the one recorded beside it."""
import json
import os
import shutil
import tempfile

from cli_support import FRAME1, ROOT, check, finish, footings_by_joint, run

DATA = os.path.join(ROOT, "tests", "data")


def recorded(name):
    with open(os.path.join(DATA, name)) as f:
        return "".join(line for line in f if not line.startswith("#"))


with tempfile.TemporaryDirectory() as tmp:
    # As it was saved: the project beside its listing.
    shutil.copyfile(FRAME1, os.path.join(tmp, "FRAME1.ANL"))
    project = os.path.join(tmp, "frame1_v1.plintova")
    shutil.copyfile(os.path.join(DATA, "frame1_v1.plintova"), project)

    r = run("--project", project)
    check(r.returncode == 0 and r.stderr == "", "the version-1 project opens silently: %d %s" % (r.returncode, r.stderr))
    check(r.stdout == recorded("frame1_v1.txt"), "the version-1 project gives its recorded result")

    # Every decision of the file stands in the plan, so that a result recorded again cannot lose one unseen.
    r = run("--project", project, "--json")
    d = json.loads(r.stdout)
    footings = footings_by_joint(r.stdout)
    check(d["messages"] == [], "no decision dropped: %r" % d["messages"])
    check({j: f["CombNo"] for j, f in footings.items() if f["CombNo"]} == {20: 1, 21: 1, 22: -1, 40: -100},
          "combined, hand-resized and disabled footings")
    check((footings[3]["PosX"], footings[34]["PosZ"]) == (10240, 20900), "the offsets in millimetres")
    check(footings[22]["SizeL"] == 2.5 and d["combined"][0]["CfLength"] == 4.8, "the wheel's lengths")
    sizes = [g["GroupSize"] for g in d["groups"]]
    check(2.25 in sizes and 2.2 not in sizes, "group 2.2 stepped to 2.25: %r" % sizes)
    check(not any(r["Size"] == 2.7 for r in d["schedule"] if r["kind"] == "group"), "group 2.7 unticked")
    rows = {r["mark"]: r for r in d["schedule"]}
    check(rows["R1"]["Depth"] == 0.9 and rows["C1"]["Depth"] == 1, "the depths typed for R1 and C1")
    edited = [r for r in d["schedule"] if r["kind"] == "group" and r["Size"] == 2.9]
    check(len(edited) == 1 and (edited[0]["pedestalX"], edited[0]["pedestalZ"], edited[0]["Dia"]) == (0.95, 0.95, 16),
          "the square pedestal of version 1 on both sides, and the bar chosen: %r" % edited)
    # Version 1 knew only the later-case rule: case 6 keeps the increased SBC a new project would not give it.
    check([c["number"] for c in d["cases"] if c["increased"]] == [2, 3, 4, 5, 6], "the later-case rule kept")

finish()
