"""What every table generator does with its text: write it, or with --check compare it."""

import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


def write_or_check(target: Path, text: str) -> int:
    """Writes `text` to `target`; with --check on the command line compares instead.

    Returns the exit status: 1 when --check finds the file out of date, else 0.
    """
    if "--check" in sys.argv[1:]:
        current = target.read_text(encoding="utf-8") if target.exists() else ""
        if current != text:
            print(f"{target} is out of date", file=sys.stderr)
            return 1
        return 0
    target.write_text(text, encoding="utf-8")
    print(f"wrote {target.relative_to(ROOT)} ({len(text.splitlines())} lines)")
    return 0
