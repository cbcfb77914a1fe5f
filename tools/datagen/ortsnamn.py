"""ortsnamn.dta: places for the Earth map and the look-up of the observing site by name.

Source: GeoNames' cities15000 (places of 15 000 inhabitants or more), as shipped by Debian's
libtimezonemap-data in usr/share/libtimezonemap/ui/cities15000.txt (tab-separated GeoNames
columns: name, latitude, longitude, feature code, country code, population, IANA time zone
...), and the IANA time zone database from Debian's tzdata for the zone texts.

Line format: columns 1-30 the name with the country code after the first "[" and " H" for a
capital ("Stockholm [SE] H"); 33-38 latitude and 40-46 longitude as degrees.minutes
(59.20 = 59 deg 20 min; north and east positive; rounded to the whole minute); 48-53 the zone
text: the standard-time offset from UTC in hours ("+1", "-3.5", "+5.75") followed by "*" when
the zone keeps summer time. It is computed from tzdata for REFERENCE_YEAR: a zone whose
offset changes during the year keeps summer time, and its standard offset is the smaller one
(so Europe/Dublin, which tzdata models with a negative winter adjustment, reads "+0*").

Selection (at most 2000 lines, the size of the Earth map's table of places): every capital
(feature code PPLC), every Swedish place except city districts (PPLX), then the most populous
of the others (city districts and historical or abandoned places left out) until the file
holds 2000 places.

Order: the Earth map names the site after the *last* line within half a degree, so the lines
run from the smallest place to the largest (a click near Stockholm finds Stockholm, not a
suburb). The look-up by name takes the *first* line whose name field contains the text typed,
so a place is moved ahead of every smaller place whose name contains its name ("Lima [PE]"
comes before "Limassol [CY]", "London [GB]" before "London [CA]").

Names are GeoNames' own (local forms in the Latin script: "Göteborg", "Malmö"); characters
that Windows-1252 lacks are transliterated ("Čačak" -> "Cacak"), else GeoNames' ASCII name is
used. A name longer than its room is cut at a word boundary.
"""
import bisect
import datetime
import heapq
import zoneinfo

from .sources import Output, section
from .textout import columns, cut_words, text_file, transliterate

OUTPUTS = ["ortsnamn.dta"]

CITIES = "usr/share/libtimezonemap/ui/cities15000.txt"
ZONEINFO = "usr/share/zoneinfo"
MAX_PLACES = 2000
REFERENCE_YEAR = 2025
HOME_COUNTRY = "SE"
SKIPPED_CODES = {"PPLX", "PPLH", "PPLQ", "PPLW"}   # sections, historical, abandoned, destroyed


class Place:
    def __init__(self, fields):
        self.id = int(fields[0])
        self.name = fields[1]
        self.ascii = fields[2]
        self.lat = float(fields[4])
        self.lon = float(fields[5])
        self.code = fields[7]
        self.country = fields[8]
        self.population = int(fields[14] or 0)
        self.zone = fields[17]

    @property
    def capital(self):
        return self.code == "PPLC"


def read_places(path):
    places = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) >= 18 and fields[7].startswith("PPL"):
                places.append(Place(fields))
    return places


def select(places):
    """The chosen places: capitals, the home country's places, then the most populous."""
    def biggest_first(p):
        return (-p.population, p.id)
    chosen = {p.id: p for p in places if p.capital}
    for p in sorted(places, key=biggest_first):
        if p.country == HOME_COUNTRY and p.code not in SKIPPED_CODES:
            chosen[p.id] = p
    if len(chosen) > MAX_PLACES:
        raise ValueError(f"{len(chosen)} capitals and home places exceed {MAX_PLACES}")
    for p in sorted(places, key=biggest_first):
        if len(chosen) >= MAX_PLACES:
            break
        if p.code not in SKIPPED_CODES:
            chosen.setdefault(p.id, p)
    return list(chosen.values())


def zone_text(zone, zoneinfo_dir, year=REFERENCE_YEAR):
    """Standard offset of an IANA zone in hours, "+1", "-3.5", "+5.75", with "*" appended
    when the zone keeps summer time in `year` (offsets sampled daily at 12 h UTC)."""
    with open(zoneinfo_dir / zone, "rb") as f:
        tz = zoneinfo.ZoneInfo.from_file(f, key=zone)
    start = datetime.datetime(year, 1, 1, tzinfo=datetime.timezone.utc)
    offsets, summer = set(), False
    days = (datetime.date(year + 1, 1, 1) - datetime.date(year, 1, 1)).days
    for day in range(days):
        t = (start + datetime.timedelta(days=day, hours=12)).astimezone(tz)
        offsets.add(int(t.utcoffset().total_seconds()))
        summer = summer or bool(t.dst())
    end = datetime.datetime(year, 12, 31, 12, tzinfo=datetime.timezone.utc).astimezone(tz)
    summer = summer and len(offsets) > 1
    seconds = min(offsets) if summer else int(end.utcoffset().total_seconds())
    return hours_text(seconds) + ("*" if summer else "")


def hours_text(seconds):
    sign = "-" if seconds < 0 else "+"
    s = abs(seconds)
    if s % 900:
        raise ValueError(f"offset of {seconds} s is not a whole quarter hour")
    whole, quarters = divmod(s // 900, 4)
    frac = {0: "", 1: ".25", 2: ".5", 3: ".75"}[quarters]
    return f"{sign}{whole}{frac}"


def degmin_text(value):
    """Decimal degrees as degrees.minutes text, rounded to the whole minute ("59.20")."""
    total = round(abs(value) * 60.0)
    d, m = divmod(total, 60)
    sign = "-" if value < 0 and total else ""
    return f"{sign}{d}.{m:02d}"


def name_field(p):
    try:
        name = transliterate(p.name)
    except ValueError:
        name = transliterate(p.ascii)
    tail = f" [{p.country}]" + (" H" if p.capital else "")
    return cut_words(name, 30 - len(tail)) + tail


def order(entries):
    """Lines ordered by population, smallest first, except that a place comes before every
    smaller place whose name field contains its name (so that the look-up by name, which
    takes the first match, finds the larger place). `entries` are (Place, name, field)."""
    n = len(entries)
    key = [(e[0].population, e[0].id) for e in entries]
    text = "\n".join(e[2] for e in entries)
    starts = [0]
    for e in entries[:-1]:
        starts.append(starts[-1] + len(e[2]) + 1)
    after = [[] for _ in range(n)]
    waiting = [0] * n
    for i, (p, name, _) in enumerate(entries):
        hits = set()
        at = text.find(name)
        while at >= 0:
            hits.add(bisect.bisect_right(starts, at) - 1)
            at = text.find(name, at + 1)
        for j in sorted(hits):
            if j != i and key[j] < key[i]:
                after[i].append(j)
                waiting[j] += 1
    ready = [(key[i], i) for i in range(n) if waiting[i] == 0]
    heapq.heapify(ready)
    out = []
    while ready:
        _, i = heapq.heappop(ready)
        out.append(entries[i])
        for j in after[i]:
            waiting[j] -= 1
            if waiting[j] == 0:
                heapq.heappush(ready, (key[j], j))
    assert len(out) == n
    return out


def build(cities_path, zoneinfo_dir):
    places = select(read_places(cities_path))
    entries = []
    for p in places:
        field = name_field(p)
        entries.append((p, field.split(" [")[0], field))
    zones = {}
    lines = []
    for p, _, field in order(entries):
        if p.zone not in zones:
            zones[p.zone] = zone_text(p.zone, zoneinfo_dir)
        lines.append(columns((1, 30, field), (33, 6, degmin_text(p.lat), "right"),
                             (40, 7, degmin_text(p.lon), "right"), (48, 6, zones[p.zone])))
    counts = {
        "places": len(lines),
        "capitals": sum(p.capital for p in places),
        "home": sum(p.country == HOME_COUNTRY for p in places),
        "zones": len(zones),
        "countries": len({p.country for p in places}),
    }
    return lines, counts


def generate(ctx):
    cities = ctx.debian("libtimezonemap-data")
    tzdata = ctx.debian("tzdata")
    cities_path = cities.path(CITIES)
    lines, c = build(cities_path, tzdata.path(ZONEINFO))
    with open(cities_path, encoding="utf-8") as f:
        source_count = sum(1 for _ in f)
    text = section(
        "ortsnamn.dta",
        "Places for the Earth map and the look-up of the observing site by name, with their "
        "time zones.",
        [(cities, f"`{CITIES}` (GeoNames, {source_count} places of 15 000 inhabitants or more)"),
         (tzdata, f"`{ZONEINFO}/` (the IANA time zone database)")],
        "GeoNames data CC-BY-4.0 (as stated in libtimezonemap-data's copyright file); tzdata "
        "public domain.",
        "place names and positions: GeoNames (geonames.org), licensed under CC BY 4.0; zone "
        "texts computed from the IANA tz database.",
        f"{c['places']} places in {c['countries']} countries: all {c['capitals']} capitals "
        f"(GeoNames PPLC), {c['home']} Swedish places (all of the source's except city "
        f"districts; every county seat among them), and the most populous others; "
        f"{c['zones']} different time zones.",
        "name (transliterated to Windows-1252, cut at a word boundary to fit) with \"[CC]\" "
        "and \" H\" for a capital in columns 1-30; latitude and longitude as degrees.minutes "
        "rounded to the whole minute in columns 33-38 and 40-46; in columns 48-53 the zone's "
        f"standard offset in hours, with \"*\" when it keeps summer time in {REFERENCE_YEAR} "
        "(the smaller of its offsets is the standard one). Lines run from the smallest place "
        "to the largest (the map names a clicked site after the last place within half a "
        "degree), except that a place precedes any smaller place whose name contains its "
        "name (the look-up by name takes the first match).",
        standin="the zone texts are computed, not taken from a list of places with zones; "
        "GeoNames positions are city centres and may differ by a minute of arc from other "
        "published values.",
        generator="ortsnamn")
    return [Output("ortsnamn.dta", text_file(lines), text, len(lines))]
