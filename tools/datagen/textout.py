"""Windows-1252 text files with fixed byte columns, number texts and atomic writes.

The program's text data files are Windows-1252 (one byte per character, so fixed columns are
byte columns) with CRLF line ends. The sources are UTF-8: characters that Windows-1252 holds
are kept ("ö", "š", "Œ"), the others are transliterated ("Č" -> "C", "ł" -> "l").
"""
import os
import pathlib
import tempfile
import unicodedata

ENCODING = "cp1252"
LINE_END = "\r\n"

# Letters without a canonical decomposition, and look-alike punctuation.
_EXTRA = {
    "ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ı": "i", "ħ": "h", "Ħ": "H", "ŧ": "t", "Ŧ": "T",
    "ŋ": "ng", "Ŋ": "Ng", "ə": "e", "Ə": "E", "ĸ": "k", "ɨ": "i", "ɛ": "e", "Ɛ": "E", "ɔ": "o",
    "Ɔ": "O", "ʻ": "'", "ʼ": "'", "ʽ": "'", "ʿ": "'", "ʾ": "'", "ˈ": "'", "′": "'", "″": '"',
    "‐": "-", "‑": "-", "‒": "-", "−": "-",
}


def encodable(ch):
    try:
        ch.encode(ENCODING)
        return True
    except UnicodeEncodeError:
        return False


def transliterate(text):
    """`text` with every character Windows-1252 cannot hold replaced by a Latin equivalent
    (decomposed letters lose their accents). Raises ValueError for a character that has no
    equivalent (for example a Cyrillic letter)."""
    out = []
    for ch in text:
        if encodable(ch):
            out.append(ch)
            continue
        base = "".join(c for c in unicodedata.normalize("NFKD", ch)
                       if not unicodedata.combining(c))
        if base and all(encodable(c) for c in base):
            out.append(base)
        elif ch in _EXTRA:
            out.append(_EXTRA[ch])
        else:
            raise ValueError(f"no Windows-1252 form for {ch!r} (U+{ord(ch):04X}) in {text!r}")
    return "".join(out)


def fixed(value, decimals):
    """`value` as a fixed-decimal text, correctly rounded from its binary value; never "-0.0"."""
    text = format(value, f".{decimals}f")
    if text.startswith("-") and not text.strip("-0."):
        text = text[1:]
    return text


_CONNECTORS = {"och", "i", "de", "del", "la", "los", "las", "of", "and", "et", "da", "do"}


def cut_words(text, width):
    """`text` shortened to at most `width` characters: cut after the last whole word that
    fits (a single word too long is cut hard), then trailing connecting words ("och", "de"),
    commas, hyphens and an unclosed parenthesis are dropped."""
    if len(text) <= width:
        return text
    head = text[:width + 1]
    space = head.rfind(" ")
    words = (head[:space] if space > 0 else text[:width]).split(" ")
    while len(words) > 1:
        last = words[-1].rstrip(",-")
        if last in _CONNECTORS or not last or (last.startswith("(") and ")" not in last):
            words.pop()
        else:
            break
    return " ".join(words).rstrip(" ,-")


def columns(*fields, keep_trailing=False):
    """One line built from fixed fields: each field is (first_column, width, text) or
    (first_column, width, text, "right"), columns counted from 1. Gaps are blanks; a text
    longer than its width, or fields that overlap, raise ValueError. Trailing blanks are
    dropped unless `keep_trailing`."""
    line = []
    for field in sorted(fields, key=lambda f: f[0]):
        first, width, text = field[:3]
        align = field[3] if len(field) > 3 else "left"
        if len(text) > width:
            raise ValueError(f"{text!r} is wider than {width} columns (column {first})")
        if first - 1 < len(line):
            raise ValueError(f"field at column {first} overlaps the one before")
        line.extend(" " * (first - 1 - len(line)))
        line.extend(text.rjust(width) if align == "right" else text.ljust(width))
    text = "".join(line)
    return text if keep_trailing else text.rstrip(" ")


def text_file(lines):
    """The bytes of a text file: the lines in Windows-1252, each ended by CRLF (a character
    outside Windows-1252 raises UnicodeEncodeError: transliterate first)."""
    return "".join(line + LINE_END for line in lines).encode(ENCODING, errors="strict")


def write_atomic(path, data):
    """Replaces `path` with `data`: a temporary file in the same folder, flushed to disk and
    renamed over the old one, so that readers never see a half-written file."""
    path = pathlib.Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    fd, tmp = tempfile.mkstemp(prefix=path.name + ".tmp-", dir=path.parent)
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(data)
            f.flush()
            os.fsync(f.fileno())
        os.chmod(tmp, 0o644)
        os.replace(tmp, path)
    except BaseException:
        try:
            os.unlink(tmp)
        except FileNotFoundError:
            pass
        raise
