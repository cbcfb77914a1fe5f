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
    "asteroids",       # asteroid.dta, asteroi2.dta, asteroi3.dta (JPL SBDB via KStars; Stellarium)
    "comets",          # komet.dta, observ.dta (JPL SBDB via KStars; MPC and Stellarium magnitudes)
    "probes",          # rymdsond.dta (gpredict TLEs turned to J2000 ecliptic; Stellarium Roadster)
    "pictures",        # solen.bmp ... m31.bmp: the picture window (KStars, Stellarium, Marble)
    "ngc",             # ngc2000/*.dat: every NGC/IC number (Stellarium DSO + OpenNGC via KStars)
    "rc3",             # rc32000/*.dat: bright galaxies, RC3 layout (stand-in from Stellarium DSO)
    "pgc",             # pgc2000/*.dat: galaxies with a PGC number (Stellarium DSO)
    "sac",             # sac2000/*.dat: SAC-style list derived from Stellarium's DSO catalogue
    "gpn",             # gpn2000/*.dat: objects with a PN G or PK designation (Stellarium DSO)
    "lbn",             # lbn2000/*.dat: Lynds' bright nebulae (Stellarium DSO; classes unknown)
    "ocl",             # ocl2000/*.dat: open clusters (Stellarium DSO)
    "gcm",             # gcm2000/01.dat: Milky Way globular clusters (Stellarium DSO)
    "objnamn",         # Objnamn.dta: deep-sky names, Swedish where translated (Stellarium)
]
