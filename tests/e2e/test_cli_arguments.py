"""The batch tool refuses what it would otherwise ignore or let silently win, says in every failure which
file and what was expected, writes text as UTF-8, reports a write beyond a file-size limit instead of
dying of it, and reads long lists of load cases as ranges."""
import json
import os
import resource
import shutil
import subprocess
import tempfile
import time

from cli_support import check, CLI, DESIGN, finish, FRAME1


def run(*args, limit=None):
    def file_size_limit():
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
    return subprocess.run([CLI, *args], capture_output=True, timeout=120,
                          preexec_fn=file_size_limit if limit else None)


def text(out):
    return out.decode("utf-8")


with tempfile.TemporaryDirectory() as tmp:
    def write(name, data):
        path = os.path.join(tmp, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    with open(FRAME1, "rb") as f:
        frame1 = f.read()
    many_ranges = ",".join(["1-999999"] * 200)
    # (arguments, status, what stderr or the JSON error says)
    refusals = [
        (["--fck", "0"], 2, '--fck needs a whole number of N/mm2 above 0, not "0"'),
        (["--fe", "0"], 2, '--fe needs a whole number of N/mm2 above 0, not "0"'),
        (["--sbc", "300"], 2, "--sbc is given twice; give each option once"),
        (["--json", "--json"], 2, "--json is given twice"),
        (["--cases", many_ranges], 2, "Load case 7 is not in the listing."),
        (["--cases", "1," * 2500 + "1"], 2, "a list of load cases may hold at most 4096 characters"),
        (["--save-project", "/nonexistent/run.plintova"], 1,
         "The project file /nonexistent/run.plintova could not be written: No such file or directory."),
    ]
    for args, status, says in refusals:
        started = time.monotonic()
        r = run(FRAME1, *DESIGN, *args)
        check(r.returncode == status, "%s: status %d, got %d" % (args[:2], status, r.returncode))
        check(says in text(r.stderr), "%s: %r in %r" % (args[:2], says, text(r.stderr)[:300]))
        check(time.monotonic() - started < 20, "%s: answered at once" % args[:2])

    # Files that are no listing: each named, with what was expected.
    not_listings = [
        ("empty.ANL", b"", "is empty; an analysis listing (.ANL) was expected."),
        ("drawing.ANL", b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n", "is a PDF document, not an analysis listing (.ANL)."),
        ("job.ANL", b'{"format": "plintova-project", "version": 1}\n', "is a Plintova project file"),
        ("notes.ANL", b"Loads to follow.\n", "is not an analysis listing that can be read: it has no UNIT command."),
        ("units.ANL", frame1.replace(b"-UNIT KN   METE", b"-UNIT KN\x01  METE"), 'units as "KN<01>  METE<04>"'),
    ]
    for name, data, says in not_listings:
        path = write(name, data)
        r = run(path, *DESIGN, "--json")
        error = json.loads(text(r.stdout)).get("error", "") if r.returncode == 1 else ""
        check(path in error and says in error, "%s: status 1 naming the file and %r: %r" % (name, says, error))

    # Text is UTF-8 end to end: a file name in UTF-8 stays as it is; a byte that is no UTF-8 is written
    # as \xHH, never taken for Latin-1. The warning of a listing that ends with its reaction table,
    # without the line that closes it, names the file (it has no grades then: they are given).
    open_end = frame1[:frame1.rindex(b"\n", 0, frame1.index(b"END OF LATEST ANALYSIS RESULT")) + 1]
    for raw, shown in ((b"B\xc3\xa9ton.ANL", "B\u00e9ton.ANL"), (b"B\xe9ton.ANL", "B\\xE9ton.ANL")):
        path = os.path.join(tmp.encode(), raw)
        with open(path, "wb") as f:
            f.write(open_end)
        r = run(path, *DESIGN, "--fck", "25", "--fe", "415", "--json")
        check(r.returncode == 0, "%r: status 0, got %d" % (raw, r.returncode))
        try:
            messages = json.loads(r.stdout.decode("utf-8", "strict"))["messages"]
        except (UnicodeDecodeError, ValueError, KeyError) as e:
            messages = ["not UTF-8 JSON: %s" % e]
        check(any(shown in m and "has no line" in m for m in messages), "%r shown as %r: %r" % (raw, shown, messages))

    # A file-size limit: the write fails with a message and status 1, and nothing is left behind.
    for option, name in (("--save-project", "run.plintova"), ("--xlsx", "run.xlsx")):
        out = os.path.join(tmp, "limited")
        os.makedirs(out, exist_ok=True)
        r = run(FRAME1, *DESIGN, option, os.path.join(out, name), limit=1024)
        check(r.returncode == 1, "%s under a 1 kB file-size limit: status 1, got %d" % (option, r.returncode))
        check(os.path.join(out, name) in text(r.stderr), "%s: the failed write names the file: %r" %
              (option, text(r.stderr)[-300:]))
        check(os.listdir(out) == [], "%s: no temporary file left: %r" % (option, os.listdir(out)))
        shutil.rmtree(out)

finish()
