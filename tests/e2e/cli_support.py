"""What the batch tool's end-to-end scripts share: where the tool and the sources are, a run of the tool,
and the failures gathered by check() and reported once by finish()."""
import os
import subprocess

CLI = os.environ["PLINTOVA_CLI"]
ROOT = os.environ["PLINTOVA_ROOT"]
failures = []


def check(cond, what):
    if not cond:
        failures.append(what)


def run(*args, cwd=None, timeout=300):
    """A run of the batch tool with its output as text (undecodable bytes replaced)."""
    return subprocess.run([CLI, *args], capture_output=True, text=True, errors="replace", cwd=cwd, timeout=timeout)


def finish(prefix="", most=None):
    """Reports the failures (the first `most` of them), each after `prefix`, and ends the script with
    status 1; "ok" when there were none."""
    if failures:
        print("\n".join(prefix + f for f in failures[:most]))
        raise SystemExit(1)
    print("ok")


FRAME1 = os.path.join(ROOT, "examples", "FRAME1.ANL")
DESIGN = ["--sbc", "200", "--depth", "1.5"]


def write(path, text, newline=None):
    with open(path, "w", newline=newline) as f:
        f.write(text)


def layout_text(steps_x, steps_z):
    """A layout file as the desktop program writes it: the X steps (+2) on line 1, the Z steps (+5) on
    line 2 after a carriage return, each line ended by CR LF."""
    return "".join(" %d" % (s + 2) for s in steps_x) + "\r\n\r" + "".join(" %d" % (s + 5) for s in steps_z) + "\r\n"


def footings_by_joint(json_text):
    """The footings of a --json run, by joint."""
    import json
    return {f["JointNo"]: f for f in json.loads(json_text)["footings"]}
