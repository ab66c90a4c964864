"""End-to-end check of the batch tool on a table of support reactions: FRAME1 as a .csv and as a .tsv, with
the grades given on the command line, designs the same footings, groups and schedule as FRAME1.ANL; a faulty
table is refused naming its line and column. Skipped while the batch tool does not take the grades."""
import json
import os
import shutil
import sys
import tempfile

from cli_support import check, finish, ROOT, run

DESIGN = ["--sbc", "200", "--depth", "1.5", "--json"]
GRADES = ["--fck", "25", "--fe", "415"]


with tempfile.TemporaryDirectory() as tmp:
    inputs = {}
    for name in ("FRAME1.csv", "FRAME1.tsv"):
        inputs[name] = os.path.join(tmp, name)
        shutil.copyfile(os.path.join(ROOT, "tests", "data", name), inputs[name])
    listing = os.path.join(tmp, "FRAME1.ANL")
    shutil.copyfile(os.path.join(ROOT, "examples", "FRAME1.ANL"), listing)

    r = run(inputs["FRAME1.csv"], *DESIGN, *GRADES)
    if r.returncode == 2 and "--fck" in r.stderr:
        print("skipped: the batch tool does not take --fck yet")
        sys.exit(0)

    expected = run(listing, *DESIGN)
    check(expected.returncode == 0, "FRAME1.ANL runs: %d %s" % (expected.returncode, expected.stderr[:300]))
    want = json.loads(expected.stdout)
    # A table names no case's title or type: given the listing's earthquake cases, it designs alike.
    for name, path in inputs.items():
        r = run(path, *DESIGN, *GRADES, "--increased-cases", "2-5")
        check(r.returncode == 0, "%s runs: %d %s %s" % (name, r.returncode, r.stdout[:300], r.stderr[:300]))
        if r.returncode != 0:
            continue
        got = json.loads(r.stdout)
        for key in ("supportCount", "loadCases", "fck", "fe", "sbc", "earthPressure", "messages", "footings",
                    "gridX", "gridZ", "groups", "combined", "schedule"):
            check(got.get(key) == want.get(key), "%s: %s differs from the listing's: %r / %r" %
                  (name, key, str(got.get(key))[:200], str(want.get(key))[:200]))
        check(len(got["schedule"]) > 2 and len(got["footings"]) == 40, "%s: a schedule of 40 footings" % name)

    bad = os.path.join(tmp, "bad.csv")
    with open(bad, "w") as f:
        f.write("joint,x,z,case,fy,mx,mz\n1,0,0,1,\"12,5\",0,0\n")
    r = run(bad, *DESIGN, *GRADES)
    check(r.returncode == 1, "a faulty table ends with status 1: %d" % r.returncode)
    try:
        error = json.loads(r.stdout).get("error")
    except ValueError:
        error = None
    check(error == 'bad.csv, line 2, column fy: "12,5" is not a number.', "the fault named: %r" % r.stdout[:300])

finish("FAIL: ")
