"""End-to-end checks of the batch tool's project files: a hand-written project run headless, a saved project
repeating its run, a changed listing named, decisions that no longer apply dropped, bad files refused."""
import hashlib
import json
import os
import shutil
import tempfile

from cli_support import check, DESIGN, finish, FRAME1, run


def write(path, text):
    with open(path, "w") as f:
        f.write(text)


def project(**keys):
    doc = {"format": "plintova-project", "version": 1, "listing": "FRAME1.ANL", "sbc": 200, "depth": 1.5}
    doc.update(keys)
    return json.dumps(doc, indent=1)


with tempfile.TemporaryDirectory() as tmp:
    listing = os.path.join(tmp, "FRAME1.ANL")
    shutil.copyfile(FRAME1, listing)

    # A project written by hand: an offset, a combined footing with a chosen length, a hand-resized
    # footing, a disabled footing and a schedule edit.
    hand = os.path.join(tmp, "hand.plintova")
    write(hand, project(offsets=[{"joint": 3, "stepX": 1, "stepZ": 0}],
                        disabled=[40],
                        combined=[{"joints": [21, 20], "length": 4.1}],
                        resized=[{"joint": 22, "length": 2.7}],
                        schedule=[{"baseSize": 2.2, "pedestal": 0.7, "barDia": 12}],
                        designed=True))
    r = run("--project", hand, "--json")
    check(r.returncode == 0, "hand-written project runs: %d %s" % (r.returncode, r.stdout[:300]))
    d = json.loads(r.stdout)
    check(d["messages"] == [], "no messages for a project that fits its listing: %r" % d["messages"])
    check(d["sbc"] == 200 and d["earthPressure"] == 30, "inputs from the project file")
    by_joint = {f["JointNo"]: f for f in d["footings"]}
    kinds = {j: f["CombNo"] for j, f in by_joint.items() if f["CombNo"] != 0}
    check(kinds == {20: 1, 21: 1, 22: -1, 40: -100}, "footing kinds %r" % kinds)
    check(by_joint[3]["PosX"] == 10035 and by_joint[3]["PosZ"] == 0, "joint 3 moved by its offset step")
    check(by_joint[22]["SizeL"] == 2.7 and by_joint[22]["SizeB"] > 2.7, "joint 22 resized: %r" % by_joint[22])
    check(by_joint[40]["SizeL"] == by_joint[40]["ReqSize"] and by_joint[40]["GroupNo"] == 0, "joint 40 disabled")
    check(len(d["combined"]) == 1, "one combined footing")
    c = d["combined"][0]
    check(c["joints"] == [20, 21] and c["CfAxis"] == 1, "combined footing of joints 20 and 21 along X: %r" % c)
    check(c["CfLength"] == 4.1 and abs(c["Cant1"] + 2.0 + c["Cant2"] - c["CfLength"]) < 1e-3 and c["CfWidth"] > 0,
          "combined footing from the chosen length: %r" % c)
    check(by_joint[20]["SizeL"] == c["CfWidth"] and by_joint[20]["SizeB"] == c["CfLength"],
          "combined members carry its size")
    groups = [s for s in d["schedule"] if s["kind"] == "group"]
    rows = {s["Size"]: s for s in groups}
    check(rows[2.2]["Dia"] == 12 and rows[2.2]["pedestalX"] == 0.7 and rows[2.2]["pedestalZ"] == 0.7, "schedule edit of the 2.2 m row: %r" % rows.get(2.2))
    unedited = [s for s in groups if s["Size"] != 2.2]
    check(all(s["Dia"] in (10, 12) and s["Space"] >= 100 for s in unedited),
          "other rows choose their own bars, at least 100 mm apart: %r" % [(s["Dia"], s["Space"]) for s in unedited])
    check(sum(s["NOs"] for s in groups) == 36, "36 ordinary footings in the schedule")
    # Below the group rows: the hand-resized footing and the combined footing, each with its own row.
    others = [(s["kind"], s["mark"], s["joints"]) for s in d["schedule"] if s["kind"] != "group"]
    check(others == [("rectangular", "R1", [22]), ("combined", "C1", [20, 21])], "rows R1 and C1: %r" % others)
    # The readable output lists the same rows with every layer of bars.
    text = run("--project", hand).stdout
    check("Hand-resized and combined footings" in text, "readable footing rows heading")
    lines = text.splitlines()
    for row in (r for r in d["schedule"] if r["kind"] != "group"):
        check(any(l.split()[:1] == [row["mark"]] and (" %g " % row["Depth"]) in l for l in lines),
              "readable row of %s" % row["mark"])
        for layer in row["steel"]:
            check("%s  %s: %d \u00d8 @ %d" % (row["mark"], layer["where"], layer["Dia"], layer["Space"]) in text,
                  "readable layer %s %s" % (row["mark"], layer["where"]))

    # Saved by the run and run again, the project gives the same output; it names its listing relative
    # to its own folder, with the listing's SHA-256.
    saved = os.path.join(tmp, "saved.plintova")
    r = run("--project", hand, "--json", "--save-project", saved)
    check(r.returncode == 0 and os.path.exists(saved), "project saved")
    with open(saved) as f:
        doc = json.load(f)
    with open(listing, "rb") as f:
        sha = hashlib.sha256(f.read()).hexdigest()
    check(doc["listing"] == "FRAME1.ANL" and doc["listingSha256"] == sha, "listing and its SHA-256 in the file")
    check([s["joint"] for s in doc["supports"]] == list(range(1, 41)), "every support by joint")
    check(doc["combined"] == [{"joints": [20, 21], "length": 4.1}] and doc["disabled"] == [40], "decisions by joint")
    check(doc["designed"] is True, "a designed schedule")
    again = run("--project", saved, "--json")
    check(again.returncode == 0 and again.stdout == r.stdout, "the saved project repeats the run")

    # A plain run saves its default decisions; the project repeats it exactly.
    plain = os.path.join(tmp, "plain.plintova")
    r = run(listing, *DESIGN, "--json", "--save-project", plain)
    again = run("--project", plain, "--json")
    check(r.returncode == 0 and again.returncode == 0 and again.stdout == r.stdout, "plain run saved and repeated")
    with open(plain) as f:
        doc = json.load(f)
    check(doc["offsets"] == [] and doc["combined"] == [] and doc["groups"] == [], "no decisions in a plain run")
    check(json.loads(r.stdout)["combined"] == [] and
          all(f["CombNo"] == 0 for f in json.loads(r.stdout)["footings"]), "a plain run has no combined footing")

    # The listing changes under the project: joint 5's first reaction, and joint 40 becomes joint 41.
    text = open(listing, encoding="latin-1").read()
    lines = text.split("\n")
    at = next(i for i, l in enumerate(lines) if l.startswith("      5    1"))
    lines[at] = lines[at][:22] + "   1234.56" + lines[at][32:]
    at = next(i for i, l in enumerate(lines) if l.startswith("     40    1"))
    lines[at] = "     41" + lines[at][7:]
    changed = os.path.join(tmp, "changed")
    os.mkdir(changed)
    with open(os.path.join(changed, "FRAME1.ANL"), "w", encoding="latin-1") as f:
        f.write("\n".join(lines))
    shutil.copyfile(saved, os.path.join(changed, "saved.plintova"))
    r = run("--project", os.path.join(changed, "saved.plintova"), "--json")
    check(r.returncode == 0, "a changed listing still runs")
    d = json.loads(r.stdout)
    check(d["messages"][:2] == [
        "The listing %s has changed since the project was saved: reactions changed at joint 5; supports added at "
        "joint 41; supports removed at joint 40." % os.path.join(changed, "FRAME1.ANL"),
        "These decisions of the project no longer apply to the listing and were dropped:\n"
        "Disabled footing of joint 40: joint 40 is not a support of the listing any more."],
        "changed listing and dropped decision named: %r" % d["messages"])
    kinds = {f["JointNo"]: f["CombNo"] for f in d["footings"] if f["CombNo"] != 0}
    check(kinds == {20: 1, 21: 1, 22: -1}, "the decisions that still apply are kept: %r" % kinds)
    r = run("--project", os.path.join(changed, "saved.plintova"))
    check(r.returncode == 0 and "has changed since the project was saved" in r.stderr, "reported on stderr too")

    # Files that cannot be used: status 1 with the reason.
    for name, content, reason in (
            ("corrupt.plintova", '{"format": "plintova-project",\n "version": 1,,', "is not valid JSON text (line 2"),
            ("newer.plintova", project(version=5), "was written by a newer version of Plintova"),
            ("step.plintova", project(offsets=[{"joint": 3, "stepX": 2}]), '"stepX" must be -1, 0 or 1, not 2.')):
        path = os.path.join(tmp, name)
        write(path, content)
        r = run("--project", path, "--json")
        check(r.returncode == 1, "%s refused with status 1, got %d" % (name, r.returncode))
        error = json.loads(r.stdout).get("error", "") if r.stdout.strip() else ""
        check(error.startswith("The project file %s " % path) and reason in error, "%s: %r" % (name, error))
        r = run("--project", path)
        check(r.returncode == 1 and reason in r.stderr, "%s: reason on stderr" % name)
    r = run("--project", os.path.join(tmp, "missing.plintova"), "--json")
    check(r.returncode == 1 and "could not be read: No such file or directory" in r.stdout, "a missing project file")

    # Arguments the project file settles, and outputs that would overwrite an input: status 2.
    for args, what in ((["--project", hand, "--sbc", "200"], "--sbc with --project"),
                       (["--project", hand, listing], "a listing with --project"),
                       (["--project", hand, "--xlsx", hand], "the workbook over the project file"),
                       (["--project", hand, "--save-project", listing], "the project over the listing"),
                       ([listing, "--save-project", plain], "--save-project without --sbc")):
        r = run(*args)
        check(r.returncode == 2, "%s refused with status 2, got %d" % (what, r.returncode))

finish("FAIL: ")
