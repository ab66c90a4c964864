"""The batch tool reads the layout file beside the listing as the desktop program does: its column offsets
move the footings; one written for another plan is reported, not applied, and left as it is."""
import json
import os
import shutil
import tempfile

from cli_support import DESIGN, FRAME1, check, finish, footings_by_joint, layout_text, run, write

with tempfile.TemporaryDirectory() as tmp:
    listing = os.path.join(tmp, "FRAME1.ANL")
    layout = os.path.join(tmp, "FRAME1.SCR")
    shutil.copyfile(FRAME1, listing)
    plain = run(listing, *DESIGN, "--json")
    check(plain.returncode == 0, "FRAME1 without a layout file: %d %s" % (plain.returncode, plain.stderr))
    concentric = footings_by_joint(plain.stdout)
    joints = list(concentric)

    # Footing 1 one step towards +X and -Z, footing 3 one step towards -X: the others stay.
    steps_x, steps_z = [0] * len(joints), [0] * len(joints)
    steps_x[0], steps_z[0], steps_x[2] = 1, -1, -1
    write(layout, layout_text(steps_x, steps_z), newline="")
    r = run(listing, *DESIGN, "--json")
    check(r.returncode == 0, "FRAME1 with a layout file: %d %s" % (r.returncode, r.stderr))
    moved = footings_by_joint(r.stdout)
    first, third = joints[0], joints[2]
    check(moved[first]["PosX"] > concentric[first]["PosX"] and moved[first]["PosZ"] < concentric[first]["PosZ"],
          "footing 1 off its column towards +X and -Z: %r" % moved[first])
    check(moved[third]["PosX"] < concentric[third]["PosX"] and moved[third]["PosZ"] == concentric[third]["PosZ"],
          "footing 3 off its column towards -X: %r" % moved[third])
    check(all(moved[j]["PosX"] == concentric[j]["PosX"] and moved[j]["PosZ"] == concentric[j]["PosZ"]
              for j in joints if j not in (first, third)), "the other footings stay on their columns")
    check(json.loads(r.stdout)["messages"] == [], "an applied layout file says nothing: %r" % r.stdout[-300:])
    # A project saved from the run keeps the layout's offsets as the engineer's.
    saved = os.path.join(tmp, "moved.plintova")
    check(run(listing, *DESIGN, "--save-project", saved).returncode == 0, "the moved plan is saved")
    with open(saved) as f:
        offsets = {o["joint"]: (o["stepX"], o["stepZ"]) for o in json.load(f)["offsets"]}
    check(offsets == {first: (1, -1), third: (-1, 0)}, "the saved project keeps the layout's offsets: %r" % offsets)

    # A layout file of another plan (three footings) is named, not applied, and never rewritten.
    other = " 2 3 2\r\n\r 5 5 4\r\n"
    write(layout, other, newline="")
    for args in ((), ("--json",)):
        r = run(listing, *DESIGN, *args)
        check(r.returncode == 0, "another plan's layout file still runs")
        message = ("The layout file %s holds 3 steps for %d footings: it was written for another plan. The column "
                   "offsets it holds are not applied." % (layout, len(joints)))
        said = json.loads(r.stdout)["messages"] if args else r.stderr
        check(message in said, "another plan's layout file named: %r" % said)
    check(footings_by_joint(r.stdout) == concentric, "another plan's offsets are not applied")
    with open(layout, newline="") as f:
        check(f.read() == other, "the layout file is left as it was")

finish()
