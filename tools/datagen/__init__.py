"""Generators of the program's data files (run them with tools/make-data).

Each generator is one module of this package that defines

    OUTPUTS   the names of the files it writes into data/ (in that order)
    generate(ctx) -> list[Output]
              builds the files from the packages it asks `ctx` for (ctx.debian(NAME),
              ctx.npm(NAME)); it returns the bytes of each file and its section of
              data/SOURCES.md

and is listed by one line in registry.py. The shared pieces are here: fetch.py (packages
by name into a cache outside version control, with their exact versions pinned in
packages.lock), textout.py (Windows-1252 text with CRLF line ends, fixed byte columns,
number texts, atomic writes), sources.py (the generated sections of data/SOURCES.md),
geo.py (polygons on the sphere) and qm.py (Qt translation files).

Every generator must be deterministic: the same packages give the same bytes (sorted
inputs, fixed rounding, no timestamps).
"""
