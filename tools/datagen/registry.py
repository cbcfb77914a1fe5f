"""The data generators run by tools/make-data, in this order.

Adding a generator: write tools/datagen/NAME.py (OUTPUTS and generate(ctx), see __init__.py)
and add one line here.
"""

GENERATORS = [
    "zones",           # fil50.dta, fil184.dta: the catalogs' zone schemes (our own design)
    "karta",           # karta.dta: coastlines, lakes, land and ice marks (CIA WDB II via Marble)
    "ortsnamn",        # ortsnamn.dta: places with time zones (GeoNames, tzdata)
    "land",            # land.dta: Swedish country names (iso-codes)
    "constellations",  # konst.dta, konstgra.dta, konnamn.dta, stjabild.dta (d3-celestial, Stellarium)
    "bsc",             # bsc2000/*.dat: Bright Star Catalogue (xplanet BSC5 + Stellarium Hipparcos)
    "wds",             # wds2000/*.dat: WDS double stars with a HIP number (Stellarium)
    "gcvs",            # gcvs2000/*.dat: GCVS variables with a HIP number (Stellarium)
    "stjanamn",        # Stjanamn.dta: star names, Swedish where translated (Stellarium)
    "sky",             # sky2000/*.dat: 603k stars; NOT kept in data/ (COMMITTED = False): ./run
                       # builds it with --only sky --out .cache/generated
]
