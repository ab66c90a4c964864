"""End-to-end checks of where the batch tool may write: never over its inputs or anything but a regular
file, never waiting on a named pipe, two outputs never on one file, write errors on standard output
reported, long names written, and no temporary file left behind."""
import os
import shutil
import stat
import subprocess
import tempfile

from cli_support import check, CLI, DESIGN, finish, FRAME1


def run(*args, cwd=None, stdout=subprocess.PIPE, timeout=120):
    """Runs the batch tool; a run that does not end in time counts as hanging (returncode None)."""
    try:
        r = subprocess.run([CLI, *args], cwd=cwd, stdout=stdout, stderr=subprocess.PIPE, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, ""
    return r.returncode, r.stderr.decode(errors="replace")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def no_temporaries(folder, what):
    left = [n for n in os.listdir(folder) if n.startswith(".")]
    check(not left, "%s: temporary files left behind: %r" % (what, left))


with tempfile.TemporaryDirectory() as tmp:
    # A copy of the listing: a fault here must never destroy the sample that ships with the program.
    listing = os.path.join(tmp, "FRAME1.ANL")
    shutil.copyfile(FRAME1, listing)
    original = read(listing)
    os.link(listing, os.path.join(tmp, "hard.xlsx"))
    os.symlink(listing, os.path.join(tmp, "soft.pdf"))

    # The listing under every name it can have, as the workbook, the PDFs and the DXF.
    for option in ("--xlsx", "--pdf", "--plan-pdf", "--dxf"):
        for name, target, cwd in (("direct", listing, None), ("./", "./FRAME1.ANL", tmp),
                                  ("hard link", os.path.join(tmp, "hard.xlsx"), None),
                                  ("symbolic link", os.path.join(tmp, "soft.pdf"), None)):
            arg_listing = "FRAME1.ANL" if cwd else listing
            code, err = run(arg_listing, *DESIGN, option, target, cwd=cwd)
            what = "%s onto the listing (%s)" % (option, name)
            check(code == 2, "%s refused with status 2, got %r" % (what, code))
            check("the same file as the listing" in err, "%s: reason given: %r" % (what, err))
            check(read(listing) == original, "%s: the listing is unchanged" % what)
    check(os.path.islink(os.path.join(tmp, "soft.pdf")), "the symbolic link is still a link")

    # The layout file beside the listing is an input too, even before the desktop program writes it.
    code, err = run(listing, *DESIGN, "--xlsx", os.path.join(tmp, "FRAME1.SCR"))
    check(code == 2 and "the layout file" in err, "workbook onto the layout file refused: %r %r" % (code, err))
    check(not os.path.exists(os.path.join(tmp, "FRAME1.SCR")), "no layout file created")
    no_temporaries(tmp, "inputs as targets")

    # A named pipe as the listing or as the PDF is refused at once.
    fifo = os.path.join(tmp, "PIPE.ANL")
    os.mkfifo(fifo)
    code, err = run(fifo, *DESIGN, timeout=20)
    check(code == 1 and "named pipe" in err, "named pipe as the listing refused without hanging: %r %r" % (code, err))
    pdf_fifo = os.path.join(tmp, "plan.pdf")
    os.mkfifo(pdf_fifo)
    code, err = run(listing, *DESIGN, "--pdf", pdf_fifo, timeout=20)
    check(code == 2 and "named pipe" in err, "named pipe as the PDF refused without hanging: %r %r" % (code, err))
    check(stat.S_ISFIFO(os.lstat(pdf_fifo).st_mode), "the named pipe is still a pipe")

    # A device is no workbook.
    code, err = run(listing, *DESIGN, "--xlsx", "/dev/null")
    check(code == 2 and "device" in err, "/dev/null as the workbook refused: %r %r" % (code, err))
    check(stat.S_ISCHR(os.stat("/dev/null").st_mode), "/dev/null is still a device")

    # Two outputs on one file: refused before either is written.
    both = os.path.join(tmp, "both.out")
    code, err = run(listing, *DESIGN, "--xlsx", both, "--pdf", both)
    check(code == 2 and not os.path.exists(both), "--xlsx and --pdf on one path refused: %r %r" % (code, err))
    code, err = run("FRAME1.ANL", *DESIGN, "--xlsx", "both.out", "--pdf", "./both.out", cwd=tmp)
    check(code == 2 and not os.path.exists(both), "--xlsx and --pdf on one file by two names refused: %r" % code)
    for first, second in (("--pdf", "--plan-pdf"), ("--dxf", "--pdf"), ("--plan-pdf", "--dxf")):
        code, err = run(listing, *DESIGN, first, both, second, both)
        check(code == 2 and not os.path.exists(both), "%s and %s on one path refused: %r %r" % (first, second, code, err))
    code, err = run(listing, *DESIGN, "--dxf", both, "--save-project", both)
    check(code == 2 and not os.path.exists(both), "--dxf and --save-project on one path refused: %r %r" % (code, err))

    # Empty names are refused, not ignored.
    for option in ("--xlsx", "--pdf", "--plan-pdf", "--dxf"):
        code, err = run(listing, *DESIGN, option, "")
        check(code == 2, "%s \"\" refused with status 2, got %r" % (option, code))

    # A read-only earlier workbook is kept (root writes it anyway).
    if os.geteuid() != 0:
        kept = os.path.join(tmp, "kept.xlsx")
        with open(kept, "wb") as f:
            f.write(b"earlier")
        os.chmod(kept, 0o444)
        code, err = run(listing, *DESIGN, "--xlsx", kept)
        check(code == 2 and "read-only" in err and read(kept) == b"earlier", "read-only workbook refused: %r" % err)
        os.chmod(kept, 0o644)
        os.remove(kept)

    # Output lost on standard output is a failed run.
    with open("/dev/full", "wb") as full:
        code, err = run(listing, *DESIGN, "--json", stdout=full)
    check(code == 1 and "standard output" in err, "--json onto a full disk exits 1: %r %r" % (code, err))

    # Names as long as the file system allows are written, and nothing else is left in the folder.
    os.remove(fifo)
    os.remove(pdf_fifo)
    long_book = os.path.join(tmp, "b" * 245 + ".xlsx")
    long_pdf = os.path.join(tmp, "p" * 246 + ".pdf")
    code, err = run(listing, *DESIGN, "--xlsx", long_book, "--pdf", long_pdf)
    check(code == 0, "250-character names written: %r %r" % (code, err))
    check(os.path.exists(long_book) and read(long_book)[:2] == b"PK", "the long-named workbook is a zip file")
    check(os.path.exists(long_pdf) and read(long_pdf)[:5] == b"%PDF-", "the long-named PDF is a PDF")
    no_temporaries(tmp, "all runs")
    check(sorted(os.listdir(tmp)) == sorted(["FRAME1.ANL", "hard.xlsx", "soft.pdf", os.path.basename(long_book),
                                             os.path.basename(long_pdf)]),
          "only the inputs and the two outputs in the folder: %r" % sorted(os.listdir(tmp)))
    check(read(listing) == original, "the listing is unchanged at the end")

finish("FAIL: ")
