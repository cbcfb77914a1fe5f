"""What the accuracy checks share: finding the Swiss Ephemeris and ERFA (installing them when
allowed), finding our program, and a few small vector and statistics helpers."""

import ctypes
import ctypes.util
import importlib.util
import math
import os
import shutil
import statistics
import subprocess
import sys
from pathlib import Path

EPHE_DIR = "/usr/share/libswe/ephe"


class CheckError(Exception):
    """The check cannot run (reference or program missing, unreadable output)."""


def find_libswe():
    for name in ("libswe.so.2.0", "libswe.so.2", ctypes.util.find_library("swe")):
        if not name:
            continue
        try:
            return ctypes.CDLL(name)
        except OSError:
            pass
    return None


def reference_missing(ephe_dir, files, need_erfa):
    missing = []
    if find_libswe() is None:
        missing.append("libswe (libswe2.0)")
    if need_erfa and importlib.util.find_spec("erfa") is None:
        missing.append("erfa (python3-erfa)")
    missing += [f for f in files if not (Path(ephe_dir) / f).is_file()]
    return missing


def ensure_reference(ephe_dir, may_install, packages, files, need_erfa=False):
    """Raises CheckError unless the reference is there; installs it first when allowed."""
    missing = reference_missing(ephe_dir, files, need_erfa)
    if not missing:
        return
    command = ["apt-get", "install", "-y"] + packages
    if may_install and os.geteuid() == 0 and shutil.which("apt-get"):
        print("reference missing (" + ", ".join(missing) + "); installing: " + " ".join(command),
              file=sys.stderr)
        env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
        subprocess.run(["apt-get", "update"], check=False, env=env)
        subprocess.run(command, check=True, env=env)
        missing = reference_missing(ephe_dir, files, need_erfa)
        if not missing:
            return
    hint = "\n  and run this script with /usr/bin/python3" if need_erfa else ""
    raise CheckError("reference missing: " + ", ".join(missing) + "\n  install it with: sudo "
                     + " ".join(command) + hint)


def default_cli(root):
    for sub in ("build/release/src/himlavy-cli", "build/dev/src/himlavy-cli"):
        if (root / sub).is_file():
            return root / sub
    return root / "build/release/src/himlavy-cli"


def norm(v):
    return math.sqrt(dot(v, v))


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def stats(values):
    """(max |x|, median |x|), NaN for no values."""
    a = [abs(x) for x in values]
    return (max(a), statistics.median(a)) if a else (float("nan"), float("nan"))
