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


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, text=True, timeout=120)


def finish():
    if failures:
        print("\n".join(failures))
        raise SystemExit(1)
    print("ok")
