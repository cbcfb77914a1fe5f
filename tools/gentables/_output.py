"""What the table generators share: reading a published table, writing a number as printed,
and writing (or with --check comparing) the generated text."""

import csv
import sys
from decimal import Decimal
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


def read_tsv(path: Path, columns=None) -> list:
    """The rows of the tab-separated table `path` as dictionaries by column name; exits when
    `columns` is given and the header differs from it."""
    with path.open(newline="", encoding="utf-8") as f:
        reader = csv.DictReader(f, delimiter="\t")
        if columns is not None and reader.fieldnames != columns:
            sys.exit(f"{path}: unexpected columns {reader.fieldnames}")
        return list(reader)


def literal(text: str) -> str:
    """A published number as a C++ double literal, its digits kept as printed (ValueError or
    decimal.InvalidOperation for a text that is not a number)."""
    text = text.strip()
    Decimal(text)
    if not any(ch in text for ch in ".eE"):
        text += ".0"
    return text


def write_or_check(target: Path, text: str) -> int:
    """Writes `text` to `target` (left alone when it holds `text` already); with --check on
    the command line compares instead.

    Returns the exit status: 1 when --check finds the file out of date, else 0.
    """
    current = target.read_text(encoding="utf-8") if target.exists() else None
    if "--check" in sys.argv[1:]:
        if current != text:
            print(f"out of date: {target.relative_to(ROOT)} (run tools/gen-tables)")
            return 1
        return 0
    if current == text:
        return 0
    target.write_text(text, encoding="utf-8")
    print(f"wrote {target.relative_to(ROOT)} ({len(text.splitlines())} lines)")
    return 0
