"""Polygons on the sphere: simplification, point-in-polygon, area and interior points.

A ring is a list of (lat, lon) in degrees, closed implicitly (the last point joins the
first). Each ring is handled in the Lambert azimuthal equal-area plane centred on the mean
direction of its vertices: the plane keeps areas exact and has no seam at the antimeridian or
at the poles, so a ring that crosses longitude 180 or surrounds a pole (Antarctica) is an
ordinary plane polygon there.
"""
import heapq
import math

D2R = math.pi / 180.0


def unit(lat, lon):
    """Unit vector of a point given in degrees."""
    cl = math.cos(lat * D2R)
    return (cl * math.cos(lon * D2R), cl * math.sin(lon * D2R), math.sin(lat * D2R))


def _norm(v):
    r = math.sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])
    return (v[0] / r, v[1] / r, v[2] / r)


def _cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def _dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def angle_deg(a, b):
    """Angle in degrees between two points (lat, lon) in degrees."""
    return math.degrees(math.acos(max(-1.0, min(1.0, _dot(unit(*a), unit(*b))))))


def _seg_dist3(p, a, b):
    """Euclidean distance in space from p to the chord a-b (about the angle, for short chords)."""
    ab = (b[0] - a[0], b[1] - a[1], b[2] - a[2])
    ap = (p[0] - a[0], p[1] - a[1], p[2] - a[2])
    L = _dot(ab, ab)
    t = 0.0 if L == 0.0 else max(0.0, min(1.0, _dot(ap, ab) / L))
    d = (ap[0] - t * ab[0], ap[1] - t * ab[1], ap[2] - t * ab[2])
    return math.sqrt(_dot(d, d))


def simplify_ring(points, tolerance_deg):
    """Douglas-Peucker simplification of a closed ring of (lat, lon) points: keeps the points
    needed so that no dropped point lies farther than `tolerance_deg` from the simplified
    outline (distances measured as chords on the unit sphere, so the antimeridian and the poles
    need no care). The first point and the point farthest from it are always kept."""
    n = len(points)
    if n < 4:
        return list(points)
    vec = [unit(*p) for p in points]
    far = max(range(n), key=lambda i: (-_dot(vec[0], vec[i]), -i))
    tol = 2.0 * math.sin(tolerance_deg * D2R / 2.0)
    keep = [False] * n
    keep[0] = keep[far] = True
    ext = vec + [vec[0]]
    stack = [(0, far), (far, n)]
    while stack:
        i, j = stack.pop()
        if j - i < 2:
            continue
        a, b = ext[i], ext[j]
        best, at = -1.0, -1
        for k in range(i + 1, j):
            d = _seg_dist3(ext[k], a, b)
            if d > best:
                best, at = d, k
        if best > tol:
            keep[at] = True
            stack.append((i, at))
            stack.append((at, j))
    return [p for p, k in zip(points, keep) if k]


class Ring:
    """A closed ring in its own equal-area plane, with a band index for fast queries."""

    def __init__(self, points):
        if len(points) < 3:
            raise ValueError("a ring needs three points")
        self.points = list(points)
        vecs = [unit(*p) for p in points]
        s = (sum(v[0] for v in vecs), sum(v[1] for v in vecs), sum(v[2] for v in vecs))
        self.centre = _norm(s) if _dot(s, s) > 1e-18 else (0.0, 0.0, 1.0)
        c = self.centre
        east = _cross((0.0, 0.0, 1.0), c)
        if _dot(east, east) < 1e-12:
            east = (0.0, 1.0, 0.0)
        self.east = _norm(east)
        self.north = _cross(c, self.east)
        self.reach = max(math.acos(max(-1.0, min(1.0, _dot(v, c)))) for v in vecs)
        self.xy = [self._plane(v) for v in vecs]
        ys = [q[1] for q in self.xy]
        self.ymin, self.ymax = min(ys), max(ys)
        nb = max(1, min(1024, len(self.xy) // 4))
        self.nbands = nb
        self.bandh = (self.ymax - self.ymin) / nb or 1.0
        self.bands = [[] for _ in range(nb)]
        m = len(self.xy)
        for i in range(m):
            y1, y2 = self.xy[i][1], self.xy[(i + 1) % m][1]
            lo, hi = self._band(min(y1, y2)), self._band(max(y1, y2))
            for b in range(lo, hi + 1):
                self.bands[b].append(i)

    def _plane(self, v):
        cosc = _dot(v, self.centre)
        k = math.sqrt(2.0 / max(1e-12, 1.0 + cosc))
        return (k * _dot(v, self.east), k * _dot(v, self.north))

    def _band(self, y):
        return max(0, min(self.nbands - 1, int((y - self.ymin) / self.bandh)))

    def project(self, lat, lon):
        """Plane point of (lat, lon), or None when it is too far from the ring to matter."""
        v = unit(lat, lon)
        if math.acos(max(-1.0, min(1.0, _dot(v, self.centre)))) > min(self.reach + 0.1, 3.0):
            return None
        return self._plane(v)

    def unproject(self, x, y):
        """(lat, lon) in degrees of a plane point."""
        r2 = x * x + y * y
        cosc = 1.0 - r2 / 2.0
        s = math.sqrt(max(0.0, 1.0 - r2 / 4.0))
        e, n, c = self.east, self.north, self.centre
        v = tuple(cosc * c[i] + s * (x * e[i] + y * n[i]) for i in range(3))
        v = _norm(v)
        return (math.degrees(math.asin(max(-1.0, min(1.0, v[2])))),
                math.degrees(math.atan2(v[1], v[0])))

    def area_km2(self):
        """Area of the ring (exact for the plane polygon; the Earth as a sphere of 6371 km)."""
        a = 0.0
        m = len(self.xy)
        for i in range(m):
            x1, y1 = self.xy[i]
            x2, y2 = self.xy[(i + 1) % m]
            a += x1 * y2 - x2 * y1
        return abs(a) / 2.0 * 6371.0 ** 2

    def contains_xy(self, x, y):
        if y < self.ymin or y > self.ymax:
            return False
        inside = False
        xy = self.xy
        m = len(xy)
        for i in self.bands[self._band(y)]:
            x1, y1 = xy[i]
            x2, y2 = xy[(i + 1) % m]
            if (y1 > y) != (y2 > y):
                xc = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
                if xc > x:
                    inside = not inside
        return inside

    def contains(self, lat, lon):
        """True when (lat, lon) lies inside the ring (even-odd rule)."""
        q = self.project(lat, lon)
        return q is not None and self.contains_xy(*q)

    def edge_distance_xy(self, x, y, limit=math.inf):
        """Plane distance from (x, y) to the outline, or `limit` when it is at least that."""
        xy = self.xy
        m = len(xy)
        if limit == math.inf:
            candidates = range(m)
        else:
            lo, hi = self._band(y - limit), self._band(y + limit)
            candidates = set()
            for b in range(lo, hi + 1):
                candidates.update(self.bands[b])
        best2 = limit * limit
        for i in candidates:
            x1, y1 = xy[i]
            x2, y2 = xy[(i + 1) % m]
            dx, dy = x2 - x1, y2 - y1
            L = dx * dx + dy * dy
            t = 0.0 if L == 0.0 else max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / L))
            ex, ey = x - x1 - t * dx, y - y1 - t * dy
            d2 = ex * ex + ey * ey
            if d2 < best2:
                best2 = d2
        return math.sqrt(best2)

    def clearance_deg(self, lat, lon, limit_deg):
        """Angular distance in degrees from (lat, lon) to the outline, capped at `limit_deg`.
        The plane only chooses the edges to measure (its scale stays within a factor of two
        of the sphere's up to 120 degrees from the ring's centre); the distance itself is the
        chord to each edge on the unit sphere."""
        q = self.project(lat, lon)
        if q is None:
            return limit_deg
        p = unit(lat, lon)
        lim = 2.0 * limit_deg * D2R
        lo, hi = self._band(q[1] - lim), self._band(q[1] + lim)
        candidates = set()
        for b in range(lo, hi + 1):
            candidates.update(self.bands[b])
        vec = self._vectors()
        m = len(vec)
        best = 2.0 * math.sin(limit_deg * D2R / 2.0)
        for i in candidates:
            d = _seg_dist3(p, vec[i], vec[(i + 1) % m])
            if d < best:
                best = d
        return math.degrees(2.0 * math.asin(min(1.0, best / 2.0)))

    def _vectors(self):
        if not hasattr(self, "_vec"):
            self._vec = [unit(*p) for p in self.points]
        return self._vec

    def pole_of_inaccessibility(self, precision_deg=0.02, keep_out=()):
        """The interior point farthest from the outline (the "polylabel" cell search of
        V. Agafonkin, Mapbox, 2016), as (lat, lon, clearance in degrees). Points inside one of
        the rings `keep_out` (lakes) do not count as interior."""
        xs = [q[0] for q in self.xy]
        ys = [q[1] for q in self.xy]
        x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
        size = min(x1 - x0, y1 - y0)
        prec = precision_deg * D2R

        def clearance(x, y):
            d = self.edge_distance_xy(x, y)
            if not self.contains_xy(x, y):
                return -d
            lat, lon = self.unproject(x, y)
            for lake in keep_out:
                if lake.contains(lat, lon):
                    return -d
            return d

        def cell(x, y, h):
            d = clearance(x, y)
            return (-(d + h * math.sqrt(2.0)), d, x, y, h)

        h = size / 2.0 if size > 0 else max(x1 - x0, y1 - y0) / 2.0
        heap = []
        if h <= 0:
            return self.points[0] + (0.0,)
        y = y0
        while y < y1:
            x = x0
            while x < x1:
                heapq.heappush(heap, cell(x + h, y + h, h))
                x += 2 * h
            y += 2 * h
        # the centroid of the plane polygon is a good first guess
        a = cx = cy = 0.0
        m = len(self.xy)
        for i in range(m):
            xa, ya = self.xy[i]
            xb, yb = self.xy[(i + 1) % m]
            f = xa * yb - xb * ya
            a += f
            cx += (xa + xb) * f
            cy += (ya + yb) * f
        best = cell(cx / (3 * a), cy / (3 * a), 0.0) if a else cell(x0, y0, 0.0)
        bbox_centre = cell((x0 + x1) / 2, (y0 + y1) / 2, 0.0)
        if bbox_centre[1] > best[1]:
            best = bbox_centre
        while heap:
            c = heapq.heappop(heap)
            if c[1] > best[1]:
                best = c
            if -c[0] - best[1] <= prec:
                continue
            h2 = c[4] / 2.0
            for dx in (-h2, h2):
                for dy in (-h2, h2):
                    heapq.heappush(heap, cell(c[2] + dx, c[3] + dy, h2))
        lat, lon = self.unproject(best[2], best[3])
        return lat, lon, math.degrees(best[1])
