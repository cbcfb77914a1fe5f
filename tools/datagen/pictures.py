"""The sixteen pictures of the picture window, as 24-bit BMP files.

Sources (no picture is invented where a package has one):
  kstars-data usr/share/kstars/textures/: disc photographs of the Sun, Mercury, Venus, the
      full Moon (moon14.png), Mars, Jupiter, Saturn, Uranus, Neptune and Pluto, with
      transparent surroundings (laid over black here);
  stellarium-data usr/share/stellarium/: the maps of Io, Tethys and 243 Ida (textures/), which
      are rendered as bodies, the comet coma texture (textures/cometComa.png) and the photograph
      of M31 (nebulae/default/m31.png);
  marble-qt-data usr/share/marble/data/maps/earth/bluemarble/bluemarble.jpg (NASA's Blue
      Marble), rendered as the Earth; decoded by djpeg of libjpeg-turbo-progs (run from the
      package cache with libjpeg62-turbo's library, nothing installed).
No package has a picture of comet C/1996 B2 (Hyakutake): c_96_b2.bmp is an illustration (the
coma texture and a drawn tail), and SOURCES.md says so.

Sizes fit the picture area of the window (485 x 450 pixels, black): photographs of 256 pixels
are kept as they are, those of 128 pixels are doubled (bilinear), the renderings are 320-420
pixels wide, M31 is reduced to 450 x 450. Colours are laid over black where the source has
transparency.
"""
import math
import os
import subprocess

from . import imaging
from .sources import Output

KSTARS = "usr/share/kstars/textures"
STELLARIUM = "usr/share/stellarium"
BLUEMARBLE = "usr/share/marble/data/maps/earth/bluemarble/bluemarble.jpg"
DJPEG = "usr/bin/djpeg"
LIBJPEG_DIR = "usr/lib/x86_64-linux-gnu"

# (item, file, the window's credit line, source label, what the picture is). The window's
# credit line states the real source of the picture shipped ("" where the window shows none).
PICTURES = [
    ("Solen", "solen.bmp", "", "kstars sun.png",
     "full-disc image of the Sun (KStars gives no instrument)"),
    ("Merkurius", "merkuriu.bmp", "Fotomosaik (KStars)", "kstars mercury.png",
     "photomosaic of Mercury in the manner of the Mariner 10 mosaics (source not stated)"),
    ("Venus", "venus.bmp", "UV-bild av molnen (KStars)", "kstars venus.png",
     "ultraviolet cloud image of Venus (spacecraft not stated)"),
    ("Jorden", "jorden.bmp", "Rendering, NASA Blue Marble", "marble bluemarble.jpg",
     "rendering of NASA's Blue Marble map (no clouds) seen from above 0 N, 0 E, lit as on "
     "1997 June 20 12:00 UT (Sun over 23.4 N, 0 E)"),
    ("Månen", "manen.bmp", "", "kstars moon14.png", "photograph of the full Moon"),
    ("Mars", "mars.bmp", "Bild från KStars", "kstars mars.png",
     "colour disc image of Mars (looks like a Hubble Space Telescope image; not stated)"),
    ("Jupiter", "jupiter.bmp", "Bild från KStars", "kstars jupiter.png",
     "colour disc image of Jupiter (spacecraft not stated)"),
    ("Io", "io.bmp", "Rendering, karta av J. van Vliet", "stellarium textures/io.png",
     "rendering of J. van Vliet's Io map (Voyager and Galileo data from the PDS)"),
    ("Saturnus", "saturnus.bmp", "Bild från KStars", "kstars saturn.png",
     "colour image of Saturn with the rings open as seen from the Earth (not a Voyager view)"),
    ("Tethys", "tethys.bmp", "Rendering, Cassini-karta (NASA)", "stellarium textures/tethys.png",
     "rendering of NASA/CICLOPS's Cassini map of Tethys, coloured by the Stellarium team"),
    ("Uranus", "uranus.bmp", "Infraröd bild (KStars)", "kstars uranus.png",
     "false-colour infrared image of Uranus with its rings (a telescope image, not Voyager 2)"),
    ("Neptunus", "neptunus.bmp", "Voyager 2, 1989", "kstars neptune.png",
     "disc image of Neptune with the Great Dark Spot, as Voyager 2 saw it in 1989"),
    ("Pluto", "pluto.bmp", "New Horizons, 2015", "kstars pluto.png",
     "New Horizons' 2015 image of Pluto (the bright 'heart'), not a Hubble image"),
    ("243 Ida", "ida.bmp", "Rendering, karta från Galileo-bilder", "stellarium textures/ida.png",
     "rendering of the Ida map of D. Seal's JPL site (from Galileo's 1993 images) on an "
     "ellipsoid of 59.8 x 25.4 x 18.6 km"),
    ("C/1996 B2", "c_96_b2.bmp", "Illustration, ingen bild av kometen", "stellarium cometComa.png",
     "illustration: Stellarium's coma texture with a drawn ion tail; no photograph of the "
     "comet is in any package"),
    ("M31", "m31.bmp", "M31 Andromedagalaxen, foto Herm Perez", "stellarium nebulae/default/m31.png",
     "photograph of M31 by Herm Perez"),
]

OUTPUTS = [p[1] for p in PICTURES]


def disc_photo(pkg, name, double=False):
    image = imaging.over_black(imaging.read_png(pkg.path(f"{KSTARS}/{name}")))
    if double:
        image = imaging.resize(image, image[0] * 2, image[1] * 2)
    return image


def blue_marble(marble, progs, lib):
    """The Blue Marble map at half size (1350 x 675), decoded by djpeg."""
    env = dict(os.environ, LD_LIBRARY_PATH=str(lib.path(LIBJPEG_DIR)))
    r = subprocess.run([str(progs.path(DJPEG)), "-dct", "int", "-scale", "1/2", "-ppm",
                        str(marble.path(BLUEMARBLE))], capture_output=True, env=env, check=True)
    return imaging.read_ppm(r.stdout)


def map_texture(spkg, name):
    return imaging.over_black(imaging.read_png(spkg.path(f"{STELLARIUM}/textures/{name}")))


def comet_illustration(spkg):
    """480 x 360: the coma texture (tinted green-blue) at the head, a straight ion tail drawn
    as a fading, widening band towards the upper left, and a star-like nucleus."""
    width, height = 480, 360
    head = (350.0, 250.0)
    tail_dir = (-math.cos(math.radians(35.0)), -math.sin(math.radians(35.0)))
    coma = imaging.over_black(imaging.read_png(spkg.path(f"{STELLARIUM}/textures/cometComa.png")))
    coma = imaging.resize(coma, 96, 96)
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            dx, dy = x + 0.5 - head[0], y + 0.5 - head[1]
            s = dx * tail_dir[0] + dy * tail_dir[1]
            t = abs(-dx * tail_dir[1] + dy * tail_dir[0])
            r = g = b = 0.0
            if s > 0.0:
                w = 5.0 + 0.10 * s
                k = 170.0 * math.exp(-s / 240.0) * math.exp(-(t / w) ** 2) * min(1.0, s / 20.0)
                r, g, b = 0.55 * k, 0.72 * k, 1.0 * k
            cx, cy = x - head[0] + 48.0, y - head[1] + 48.0
            if 0.0 <= cx < 96.0 and 0.0 <= cy < 96.0:
                c = imaging.sample(coma, cx + 0.5, cy + 0.5)[0]
                r, g, b = r + 0.55 * c, g + 0.95 * c, b + 0.80 * c
            core = 255.0 * math.exp(-(dx * dx + dy * dy) / 8.0)
            row.append((r + core, g + core, b + core))
        rows.append(row)
    return width, height, rows


def build(ctx):
    k = ctx.debian("kstars-data")
    s = ctx.debian("stellarium-data")
    marble = ctx.debian("marble-qt-data")
    progs = ctx.debian("libjpeg-turbo-progs")
    lib = ctx.debian("libjpeg62-turbo")
    earth_map = blue_marble(marble, progs, lib)
    m31 = imaging.over_black(imaging.read_png(s.path(f"{STELLARIUM}/nebulae/default/m31.png")))
    images = {
        "solen.bmp": disc_photo(k, "sun.png"),
        "merkuriu.bmp": disc_photo(k, "mercury.png", double=True),
        "venus.bmp": disc_photo(k, "venus.png", double=True),
        "jorden.bmp": imaging.render_body(
            earth_map, 420, 420, (1.0, 1.0, 1.0), 0.0, 0.0,
            (0.0, math.sin(math.radians(23.44)), math.cos(math.radians(23.44))),
            fill=0.95, ambient=0.0),
        "manen.bmp": disc_photo(k, "moon14.png"),
        "mars.bmp": disc_photo(k, "mars.png", double=True),
        "jupiter.bmp": disc_photo(k, "jupiter.png", double=True),
        "io.bmp": imaging.render_body(map_texture(s, "io.png"), 320, 320, (1.0, 1.0, 1.0),
                                      100.0, 10.0, (-0.35, 0.25, 0.9)),
        "saturnus.bmp": disc_photo(k, "saturn.png"),
        "tethys.bmp": imaging.render_body(map_texture(s, "tethys.png"), 320, 320,
                                          (1.0, 1.0, 1.0), 0.0, 10.0, (-0.35, 0.25, 0.9)),
        "uranus.bmp": disc_photo(k, "uranus.png"),
        "neptunus.bmp": disc_photo(k, "neptune.png"),
        "pluto.bmp": disc_photo(k, "pluto.png"),
        "ida.bmp": imaging.render_body(map_texture(s, "ida.png"), 420, 240,
                                       (29.9, 12.7, 9.3), 70.0, 15.0, (-0.6, 0.35, 0.72),
                                       fill=0.92, ambient=0.03),
        "c_96_b2.bmp": comet_illustration(s),
        "m31.bmp": imaging.resize(imaging.half(m31), 450, 450),
    }
    return images, (k, s, marble, progs, lib)


def sources_section(images, packages):
    k, s, marble, progs, lib = packages
    lines = [
        "## solen.bmp … m31.bmp (the picture window)",
        "",
        "The sixteen pictures of the picture window, 24-bit uncompressed BMP (bottom-up, 96 dpi), "
        "laid over black where the source is transparent.",
        "",
        f"- Source: {k.label} ({k.command}), `{KSTARS}/sun.png`, `mercury.png`, `venus.png`, "
        "`moon14.png`, `mars.png`, `jupiter.png`, `saturn.png`, `uranus.png`, `neptune.png`, "
        "`pluto.png`.",
        f"- Source: {s.label} ({s.command}), `{STELLARIUM}/textures/io.png`, `tethys.png`, "
        f"`ida.png`, `cometComa.png`, `{STELLARIUM}/nebulae/default/m31.png`.",
        f"- Source: {marble.label} ({marble.command}), `{BLUEMARBLE}` (NASA Blue Marble, "
        "2700 x 1350), decoded with `djpeg -dct int -scale 1/2` of "
        f"{progs.label} ({progs.command}) running on {lib.label} ({lib.command}), both "
        "unpacked in the package cache.",
        "- Licence: kstars-data GPL-2+ (its copyright file covers the textures with no "
        "per-image credit; the photographs look like NASA/ESA public-domain images, which is an "
        "inference); stellarium-data: Io map CC BY-SA (J. van Vliet), Tethys map public domain "
        "(NASA/CICLOPS, coloured by RVS), Ida map from D. Seal's maps.jpl.nasa.gov (NASA/JPL), "
        "coma texture GPL (Stellarium team), M31 by Herm Perez (\"feel free to use these "
        "images ... please attribute the source\"); Blue Marble: NASA, public domain.",
        "- Attribution: Herm Perez (M31); John van Vliet (Io map); NASA Earth Observatory, "
        "Blue Marble (Earth); NASA/JPL/Space Science Institute, CICLOPS (Tethys map); NASA/JPL "
        "Galileo, via D. Seal (Ida map); the KStars and Stellarium teams.",
        "- Stand-in: the Earth, Io, Tethys and 243 Ida are renderings of maps, not photographs; "
        "C/1996 B2 is an illustration: no package holds a picture of the comet.",
        f"- Records: {len(images)} pictures.",
        "- Method: photographs of 256 pixels kept, of 128 pixels doubled by bilinear "
        "interpolation; maps rendered orthographically on a sphere (Io, Tethys, the Earth) or on "
        "an ellipsoid of Ida's axes 59.8 x 25.4 x 18.6 km, lit by Lambert's law, edges "
        "anti-aliased; M31 halved by 2 x 2 averaging, then 450 x 450 bilinear.",
        "- Rebuild: `tools/make-data --only pictures` (generator `tools/datagen/pictures.py`).",
        "",
        "The picture window shows the credit line of the last column but one, which states the "
        "real source of the picture shipped (the last column confirms it).",
        "",
        "| item | file | size | picture shipped | source | credit shown | true credit |",
        "|---|---|---|---|---|---|---|",
    ]
    for item, name, credit, src, what in PICTURES:
        w, h, _ = images[name]
        lines.append(f"| {item} | {name} | {w} x {h} | {what} | {src} | "
                     f"{credit or '(empty)'} | as shown |")
    return "\n".join(lines) + "\n"


def generate(ctx):
    images, packages = build(ctx)
    text = sources_section(images, packages)
    return [Output(name, imaging.bmp_bytes(images[name]), text if i == 0 else "", 1)
            for i, name in enumerate(OUTPUTS)]
