"""End-to-end checks of the batch tool's calculation report: Markdown and PDF by the name's extension, the
PDF read back by poppler with every schedule row's mark and the code clauses, and the refusals (another
extension, the listing under another name, a folder that does not exist)."""
import json
import os
import shutil
import subprocess
import tempfile

from cli_support import check, DESIGN, finish, FRAME1, run

CLAUSES = ["IS 456:2000", "Table 18", "Table 19", "Annex G-1.1 b", "Annex G-1.1 c", "34.1.2", "34.2.3.2",
           "34.2.4.1 a", "34.2.4.1 b", "31.6.3.1", "26.3.3 b", "26.5.2.1", "34.2.4.3", "26.4.2.2",
           "26.5.3.1 a, b, h", "26.5.3.2 c", "34.4, 34.4.1", "34.4.3", "34.4.4", "39.3", "IS 2502"]


def read(path):
    with open(path, "rb") as f:
        return f.read()


with tempfile.TemporaryDirectory() as tmp:
    listing = os.path.join(tmp, "FRAME1.ANL")
    shutil.copyfile(FRAME1, listing)
    original = read(listing)

    # The run's schedule, to know which rows the report must hold.
    r = run(listing, *DESIGN, "--json")
    check(r.returncode == 0, "the design runs: %r" % r.stderr)
    marks = [row["mark"] for row in json.loads(r.stdout)["schedule"]]
    bar_marks = [b["mark"] for b in json.loads(r.stdout)["barBendingSchedule"]["bars"]]
    check(len(bar_marks) >= 4 * len(marks), "bar marks %r" % bar_marks)
    check(len(marks) >= 3, "schedule rows %r" % marks)

    # Markdown: every row's section and its verdict, the summary and the quantities.
    md = os.path.join(tmp, "frame1.md")
    r = run(listing, *DESIGN, "--report", md)
    check(r.returncode == 0 and os.path.isfile(md), "Markdown report written: %r" % r.stderr)
    text = read(md).decode() if os.path.isfile(md) else ""
    for mark in marks:
        check(("**Result: %s: " % mark) in text, "Markdown verdict of %s" % mark)
    for heading in ("## 1 Design basis", "## 2 Method", "## 3 Summary", "## 4 Schedule rows", "## 6 Quantities",
                    "## 7 Bar bending schedule", "## Appendix A: Pressures by load case"):
        check(heading in text, "Markdown chapter %s" % heading)
    check("| FRAME1.ANL |" in text, "the listing named on the cover")
    for clause in CLAUSES:
        check(clause in text, "Markdown clause %s" % clause)

    # PDF: A4 pages whose text holds every mark and the clauses.
    pdf = os.path.join(tmp, "Frame1 report.PDF")
    r = run(listing, *DESIGN, "--report", pdf, "--json")
    check(r.returncode == 0 and os.path.isfile(pdf), "PDF report written: %r" % r.stderr)
    check(json.loads(r.stdout)["messages"] == [], "no messages: %r" % r.stdout[-300:])
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
    check("(A4)" in info, "A4 pages: %r" % info)
    pdftext = " ".join(subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout.split())
    for mark in marks:
        check(("Result: %s: " % mark) in pdftext, "PDF verdict of %s" % mark)
    for clause in CLAUSES:
        check(clause in pdftext, "PDF clause %s" % clause)
    check("FRAME1.ANL" in pdftext, "PDF names the listing")
    for mark in bar_marks:
        check((" %s " % mark) in pdftext, "PDF bar bending schedule holds %s" % mark)

    # Footings off their columns: the cantilever each row's steps write out reaches the offset further, as
    # the schedule takes it. Joint 1 stands 300 mm off along X in its group; joint 21, made rectangular,
    # 250 mm off along Z.
    saved = os.path.join(tmp, "frame1.plintova")
    check(run(listing, *DESIGN, "--save-project", saved).returncode == 0, "project saved")
    project = json.load(open(saved))
    project["offsets"] = [{"joint": 1, "dx": 300, "dz": 0}, {"joint": 21, "dx": 0, "dz": -250}]
    project["resized"] = [{"joint": 21, "length": 2.6}]
    json.dump(project, open(saved, "w"))
    r = run("--project", saved, "--report", md, "--json")
    check(r.returncode == 0, "the project with offsets designs: %r" % r.stderr)
    rows = json.loads(r.stdout)["schedule"] if r.returncode == 0 else []
    text = read(md).decode() if os.path.isfile(md) else ""
    grouped = [row for row in rows if row.get("kind", "group") == "group" and "+ 0.3 = %s m" % row["CantL"] in text]
    check(len(grouped) == 1 and "- c = (B − a)/2 + e = " in text, "the group row's cantilever takes the 0.3 m offset")
    check("- cB = (B − az)/2 + |e| = " in text and "+ 0.25 = " in text, "the rectangular row's cB takes the 0.25 m offset")

    # Another extension is refused before any work, and nothing is written.
    for bad in ("frame1.txt", "frame1.pdf.bak", "frame1"):
        target = os.path.join(tmp, bad)
        r = run(listing, *DESIGN, "--report", target)
        check(r.returncode == 2 and ".pdf or .md" in r.stderr, "%s refused: %r %r" % (bad, r.returncode, r.stderr))
        check(not os.path.exists(target), "%s not written" % bad)
    r = run(listing, "--report", md)
    check(r.returncode == 2 and "--sbc" in r.stderr, "a report needs the design inputs: %r" % r.stderr)

    # The listing, by its own name or under a report's name, is never written.
    os.symlink(listing, os.path.join(tmp, "soft.pdf"))
    os.link(listing, os.path.join(tmp, "hard.md"))
    for name in ("soft.pdf", "hard.md", "./FRAME1.ANL"):
        r = run("FRAME1.ANL", *DESIGN, "--report", name, cwd=tmp)
        check(r.returncode == 2, "the listing as %s refused with status 2, got %r" % (name, r.returncode))
        check(name == "./FRAME1.ANL" or "same file as the listing" in r.stderr, "%s: reason %r" % (name, r.stderr))
        check(read(listing) == original, "the listing unchanged after %s" % name)
    check(os.path.islink(os.path.join(tmp, "soft.pdf")), "the link is still a link")

    # Two outputs onto one file are refused; a report that cannot be written ends with status 1 and says why.
    r = run(listing, *DESIGN, "--report", md, "--xlsx", md)
    check(r.returncode == 2 and "file of its own" in r.stderr, "report and workbook on one file: %r" % r.stderr)
    missing = os.path.join(tmp, "no such folder", "r.md")
    r = run(listing, *DESIGN, "--report", missing, "--json")
    check(r.returncode == 1, "a report into a missing folder fails with status 1, got %r" % r.returncode)
    check(any("could not be written" in m for m in json.loads(r.stdout)["messages"]),
          "the failed report is named: %r" % r.stdout[-300:])
    check(not [n for n in os.listdir(tmp) if n.startswith(".")], "no temporary files left")

finish()
