"""End-to-end checks of the stamp a drawing carries while it may not be issued for construction: the sheet's
PDF (poppler) and DXF (ezdxf) of FRAME1 with a schedule row that fails a check carry the stamp in the title
block and the failed checks in the schedule's REMARKS column; FRAME1 with its overlapping pair (joints 20
and 21) left apart carries the stamp alone; with the pair combined, nothing."""
import json
import os
import shutil
import subprocess
import tempfile

import ezdxf

from cli_support import check, CLI, finish, FRAME1

STAMP = "PRELIMINARY - NOT FOR CONSTRUCTION"


def drawing(tmp, name, **keys):
    """Runs the batch tool on a FRAME1 project with `keys`; returns its JSON, warnings, the PDF's text and
    the DXF's texts by layer (paper space of every sheet)."""
    doc = {"format": "plintova-project", "version": 1, "listing": "FRAME1.ANL", "sbc": 200, "depth": 1.5,
           "designed": True}
    doc.update(keys)
    path = os.path.join(tmp, name + ".plintova")
    with open(path, "w") as f:
        json.dump(doc, f)
    pdf, dxf = os.path.join(tmp, name + ".pdf"), os.path.join(tmp, name + ".dxf")
    r = subprocess.run([CLI, "--project", path, "--json", "--pdf", pdf, "--dxf", dxf], capture_output=True,
                       text=True, errors="replace")
    check(r.returncode == 0, "%s: written: %d %s" % (name, r.returncode, r.stderr[:300]))
    text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True).stdout
    cad = ezdxf.readfile(dxf)
    layers = {}
    for layout in (cad.layouts.get(n) for n in cad.layout_names() if n != "Model"):
        for t in layout.query("TEXT"):
            layers.setdefault(t.dxf.layer, []).append(t.dxf.text)
    return json.loads(r.stdout), r.stderr, text, layers


with tempfile.TemporaryDirectory() as tmp:
    shutil.copyfile(FRAME1, os.path.join(tmp, "FRAME1.ANL"))
    combined = [{"joints": [20, 21]}]

    # Combined pair and a depth the engineer typed enough for bending but not for one-way shear: that row
    # fails, the drawing is stamped, and the row names what it fails.
    d, warnings, text, layers = drawing(tmp, "failing", combined=combined,
                                        schedule=[{"baseSize": 1.8, "depth": 0.3}])
    failing = [s for s in d["schedule"] if not all(c["ok"] for c in s["checks"])]
    check(not d["issuable"] and [s["mark"] for s in failing] == ["F1"],
          "failing: only F1 fails: %r" % [s["mark"] for s in failing])
    names = [c["name"] for s in failing for c in s["checks"] if not c["ok"]]
    check(names == ["one-way shear"], "failing: F1 fails one-way shear: %r" % names)
    check((warnings + " ".join(d["messages"])).count(STAMP) == 1, "failing: one warning: %r" % d["messages"])
    check(STAMP in text and "REMARKS" in text, "failing: PDF has the stamp and REMARKS")
    check(all(n in text for n in names), "failing: PDF names the failed checks %r" % names)
    check(STAMP in layers.get("TITLE", []), "failing: DXF title block has the stamp: %r" % layers.get("TITLE"))
    schedule = layers.get("SCHEDULE", [])
    check("REMARKS" in schedule and all(n in schedule for n in names),
          "failing: DXF schedule has REMARKS and %r" % names)

    # The overlapping pair left apart: a plan check, so the stamp, but no row fails and no REMARKS column.
    d, warnings, text, layers = drawing(tmp, "apart")
    check(not d["issuable"] and any(c["kind"] == "overlap" and sorted(c["joints"]) == [20, 21]
                                    for c in d["planChecks"]), "apart: 20 and 21 overlap: %r" % d["planChecks"])
    check(STAMP in text and "REMARKS" not in text, "apart: PDF stamped, without REMARKS")
    check(STAMP in layers.get("TITLE", []), "apart: DXF stamped")

    # The pair combined: every row passes and no plan check is flagged; nothing is stamped.
    d, warnings, text, layers = drawing(tmp, "combined", combined=combined)
    check(d["issuable"] and d["planChecks"] == [], "combined: issuable: %r" % d["planChecks"])
    check(STAMP not in warnings and "PRELIMINARY" not in text and "REMARKS" not in text,
          "combined: PDF without stamp or REMARKS")
    check(not any("PRELIMINARY" in t or t == "REMARKS" for texts in layers.values() for t in texts),
          "combined: DXF without stamp or REMARKS")

finish("FAIL: ")
