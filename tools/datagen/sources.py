"""What a generator hands back, and its section of data/SOURCES.md.

Each generated file has one section in data/SOURCES.md, between the marker lines
"<!-- make-data NAME begin -->" and "<!-- make-data NAME end -->". A run replaces the text
between its own markers (or appends the section at the end when the markers are missing) and
leaves everything else in the file as it was, so sections written by hand or by other tools
stay untouched.
"""
import dataclasses


@dataclasses.dataclass
class Output:
    name: str        # file name inside data/
    data: bytes      # the complete file
    section: str     # its section of data/SOURCES.md (Markdown, starting with "## NAME"),
                     # or "" when another file's section describes it
    records: int     # number of records (lines) for the run's summary


def section(name, summary, sources, licence, attribution, records, method, standin=None,
            generator=None):
    """Markdown section for file `name`. `sources` is a list of (Package, files inside it)."""
    lines = [f"## {name}", "", summary, ""]
    for pkg, files in sources:
        lines.append(f"- Source: {pkg.label} ({pkg.command}), {files}.")
    lines.append(f"- Licence: {licence}")
    lines.append(f"- Attribution: {attribution}")
    if standin:
        lines.append(f"- Stand-in: {standin}")
    lines.append(f"- Records: {records}")
    lines.append(f"- Method: {method}")
    lines.append(f"- Rebuild: `tools/make-data --only {generator or name}` "
                 f"(generator `tools/datagen/{generator}.py`).")
    return "\n".join(lines) + "\n"


def _markers(name):
    return f"<!-- make-data {name} begin -->", f"<!-- make-data {name} end -->"


def update(text, name, body):
    """SOURCES.md text with the section of `name` set to `body`."""
    begin, end = _markers(name)
    block = f"{begin}\n{body.rstrip()}\n{end}\n"
    start = text.find(begin)
    if start >= 0:
        stop = text.find(end, start)
        if stop < 0:
            raise ValueError(f"SOURCES.md: {begin} has no {end}")
        stop += len(end)
        if text.startswith("\n", stop):
            stop += 1
        return text[:start] + block + text[stop:]
    if text and not text.endswith("\n"):
        text += "\n"
    if text and not text.endswith("\n\n"):
        text += "\n"
    return text + block
