#!/usr/bin/env python3
"""Prints the share of test code: lines of C++ in tests/ against lines of C++ in src/ (*.h and
*.cpp; the generated tables *.inc are not code written by hand and do not count; blank lines and
comment lines do not count either). With --max F it fails when the share is above F (the project
keeps tests a quarter to a third of the code)."""
import argparse
import sys
from pathlib import Path


def code_lines(text):
    """Lines that are neither blank nor only a comment (// ... or a /* ... */ block)."""
    count, in_block = 0, False
    for line in text.splitlines():
        s = line.strip()
        if in_block:
            in_block = "*/" not in s
            continue
        if not s or s.startswith("//"):
            continue
        if s.startswith("/*"):
            in_block = "*/" not in s
            continue
        count += 1
    return count


def lines(folder):
    return sum(code_lines(p.read_text(encoding="utf-8", errors="replace"))
               for p in Path(folder).rglob("*") if p.suffix in (".h", ".cpp") and p.is_file())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=Path(__file__).resolve().parent.parent)
    parser.add_argument("--max", type=float)
    args = parser.parse_args()
    root = Path(args.root)
    tests, code = lines(root / "tests"), lines(root / "src")
    share = tests / code
    print(f"test code: {tests} lines against {code} lines of code: {share:.1%}")
    if args.max is not None and share > args.max:
        print(f"above {args.max:.0%}: merge overlapping tests before adding more", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
