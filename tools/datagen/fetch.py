"""Source packages by name, unpacked into a cache outside version control.

Debian packages are fetched with `apt-get download NAME=VERSION` and unpacked with `dpkg -x`
(nothing is installed); npm packages with `npm pack NAME@VERSION` and unpacked with tarfile.
The cache is $HIMLAVY_DATA_CACHE, else $XDG_CACHE_HOME/himlavy-data, else
~/.cache/himlavy-data:

    debian/NAME_VERSION_all.deb    the archive as downloaded
    debian/NAME_VERSION/           its unpacked tree (paths as installed under /)
    npm/NAME-VERSION.tgz           the tarball as packed
    npm/NAME-VERSION/              its unpacked tree (the tarball's package/ folder inside)

The exact version and SHA-256 of every archive used are pinned in packages.lock next to this
file, so a run on another machine uses the same inputs and writes the same bytes. A package
that is not pinned yet is resolved to the registry's current version and added to the lock;
`--update-lock` moves every package used to the registry's current version.
"""
import dataclasses
import hashlib
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tarfile
import tempfile

LOCK_FILE = pathlib.Path(__file__).resolve().parent / "packages.lock"


class FetchError(RuntimeError):
    pass


def default_cache():
    env = os.environ.get("HIMLAVY_DATA_CACHE")
    if env:
        return pathlib.Path(env).expanduser()
    xdg = os.environ.get("XDG_CACHE_HOME")
    base = pathlib.Path(xdg).expanduser() if xdg else pathlib.Path.home() / ".cache"
    return base / "himlavy-data"


@dataclasses.dataclass(frozen=True)
class Package:
    kind: str        # "debian" or "npm"
    name: str
    version: str
    sha256: str      # of the archive
    root: pathlib.Path  # Debian: the tree as installed under /; npm: the tarball's package/

    @property
    def label(self):
        """Text naming the package for data/SOURCES.md, e.g. "Debian `tzdata` 2024a-0+deb12u1"."""
        return f"{'Debian' if self.kind == 'debian' else 'npm'} `{self.name}` {self.version}"

    @property
    def command(self):
        if self.kind == "debian":
            return f"apt-get download {self.name}={self.version}"
        return f"npm pack {self.name}@{self.version}"

    def path(self, relative):
        """The file `relative` inside the package (FetchError when the package lacks it)."""
        p = self.root / relative.lstrip("/")
        if not p.exists():
            raise FetchError(f"{self.name} {self.version} has no {relative}")
        return p


def _safe(text):
    return text.replace(":", "%3a").replace("/", "%2f")


def _sha256(path):
    h = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


class Lock:
    """packages.lock: one line "KIND NAME VERSION SHA256" per package, sorted."""

    HEADER = ("# Exact versions of the source packages of tools/make-data (written by it;\n"
              "# `tools/make-data --update-lock` moves them to the registries' current versions).\n")

    def __init__(self, path=LOCK_FILE):
        self.path = pathlib.Path(path)
        self.entries = {}
        if self.path.exists():
            for line in self.path.read_text(encoding="utf-8").splitlines():
                line = line.strip()
                if not line or line.startswith("#"):
                    continue
                kind, name, version, sha = line.split()
                self.entries[(kind, name)] = (version, sha)
        self._saved = dict(self.entries)

    def get(self, kind, name):
        return self.entries.get((kind, name))

    def set(self, kind, name, version, sha):
        self.entries[(kind, name)] = (version, sha)

    def save(self):
        if self.entries == self._saved:
            return False
        lines = [f"{k} {n} {v} {s}\n" for (k, n), (v, s) in sorted(self.entries.items())]
        data = (self.HEADER + "".join(lines)).encode("utf-8")
        from .textout import write_atomic
        write_atomic(self.path, data)
        self._saved = dict(self.entries)
        return True


class Fetcher:
    def __init__(self, cache=None, lock=None, update_lock=False, log=None, offline=False):
        """`offline`: use only what the cache holds (FetchError for anything else)."""
        self.cache = pathlib.Path(cache) if cache else default_cache()
        self.lock = lock if lock is not None else Lock()
        self.update_lock = update_lock
        self.offline = offline
        self.log = log or (lambda msg: print(msg, file=sys.stderr))
        self._apt_updated = False
        self._packages = {}

    # --- public --------------------------------------------------------------------------

    def debian(self, name):
        return self._get("debian", name)

    def npm(self, name):
        return self._get("npm", name)

    # --- common --------------------------------------------------------------------------

    def _get(self, kind, name):
        key = (kind, name)
        if key in self._packages:
            return self._packages[key]
        pinned = self.lock.get(kind, name)
        if self.offline and not pinned:
            raise FetchError(f"{kind} {name} is not pinned in {self.lock.path.name}")
        if pinned and (self.offline or not self.update_lock):
            version, sha = pinned
        else:
            version, sha = self._current_version(kind, name), None
            if pinned and pinned[0] == version:
                sha = pinned[1]
        try:
            root, got_sha = self._unpacked(kind, name, version)
        except FetchError as e:
            if pinned and not self.update_lock:
                raise FetchError(f"{e}\n(the version pinned in {self.lock.path.name} may have "
                                 f"left the registry: `tools/make-data --update-lock` moves to "
                                 f"the current one)") from None
            raise
        if sha and got_sha != sha:
            raise FetchError(f"{kind} {name} {version}: SHA-256 {got_sha} differs from the "
                             f"pinned {sha} in {self.lock.path.name}")
        self.lock.set(kind, name, version, got_sha)
        pkg = Package(kind, name, version, got_sha, root)
        self._packages[key] = pkg
        return pkg

    def _unpacked(self, kind, name, version):
        """(root, sha256) of the unpacked package, fetching and unpacking it when needed."""
        folder = self.cache / kind
        target = folder / f"{_safe(name)}_{_safe(version)}"
        stamp = target / ".himlavy-complete"
        if stamp.exists():
            sha = stamp.read_text(encoding="utf-8").strip()
            return self._root(kind, target), sha
        if self.offline:
            raise FetchError(f"{kind} {name} {version} is not in the cache {self.cache}")
        folder.mkdir(parents=True, exist_ok=True)
        work = pathlib.Path(tempfile.mkdtemp(prefix=".work-", dir=folder))
        try:
            archive = self._download(kind, name, version, work)
            sha = _sha256(archive)
            tree = work / "tree"
            tree.mkdir()
            self.log(f"unpacking {archive.name}")
            if kind == "debian":
                subprocess.run(["dpkg", "-x", str(archive), str(tree)], check=True)
            else:
                with tarfile.open(archive, "r:gz") as tar:
                    tar.extractall(tree, filter="data")
            kept = folder / archive.name
            os.replace(archive, kept)
            (tree / ".himlavy-complete").write_text(sha + "\n", encoding="utf-8")
            if stamp.exists():
                # another run unpacked it meanwhile: use that one, never delete it under them
                return self._root(kind, target), stamp.read_text(encoding="utf-8").strip()
            if target.exists():
                shutil.rmtree(target)   # a partial tree left by an interrupted run
            os.replace(tree, target)
        finally:
            shutil.rmtree(work, ignore_errors=True)
        return self._root(kind, target), sha

    @staticmethod
    def _root(kind, target):
        return target / "package" if kind == "npm" else target

    def _current_version(self, kind, name):
        if kind == "debian":
            out = self._apt(["apt-cache", "show", "--no-all-versions", name], f"look up {name}")
            for line in out.splitlines():
                if line.startswith("Version:"):
                    return line.split(":", 1)[1].strip()
            raise FetchError(f"apt-cache knows no version of {name}")
        out = self._run(["npm", "view", name, "version", "--json"], f"look up {name}")
        return json.loads(out)

    def _download(self, kind, name, version, work):
        if kind == "debian":
            self.log(f"downloading Debian {name} {version}")
            self._apt(["apt-get", "download", f"{name}={version}"], f"download {name} {version}",
                      cwd=work)
            debs = sorted(work.glob("*.deb"))
            if len(debs) != 1:
                raise FetchError(f"apt-get download {name}={version} gave {len(debs)} files")
            return debs[0]
        self.log(f"packing npm {name} {version}")
        out = self._run(["npm", "pack", f"{name}@{version}", "--json", "--pack-destination",
                         str(work)], f"pack {name} {version}", cwd=work)
        info = json.loads(out)[0]
        if info["version"] != version:
            raise FetchError(f"npm pack {name}@{version} gave version {info['version']}")
        return work / info["filename"]

    # --- processes -----------------------------------------------------------------------

    def _run(self, args, what, cwd=None):
        r = subprocess.run(args, cwd=cwd, capture_output=True, text=True)
        if r.returncode != 0:
            raise FetchError(f"could not {what}: {' '.join(args)}: {r.stderr.strip()}")
        return r.stdout

    def _apt(self, args, what, cwd=None):
        """Runs an apt command; after a failure runs `apt-get update` once and tries again
        (the package lists may be empty or stale)."""
        try:
            out = self._run(args, what, cwd)
            if args[0] == "apt-cache" and "Version:" not in out:
                raise FetchError(f"could not {what}: no package lists")
            return out
        except FetchError:
            if self._apt_updated:
                raise
            self._apt_updated = True
            self.log("apt-get update (the package lists are empty or stale)")
            self._run(["apt-get", "update"], "update the package lists")
            return self._run(args, what, cwd)
