"""Scoop's update bot as it reads a manifest, over a local site the test
serves: the versions published where the release address puts them, and
GitHub's releases page."""
import hashlib
import re
import urllib.request


def served(url, host):
    """Where the test's server serves an address: GitHub's under github/."""
    return url.replace("https://github.com/", f"{host}/github/")


def fetch(url, host):
    """A page as scoop's bot gets it, or None; GitHub has no folder listings."""
    if url.startswith("https://github.com/") and not re.search(r"/releases/(latest|download/[^/]+/[^/]+)$", url):
        return None
    try:
        with urllib.request.urlopen(served(url, host), timeout=10) as page:
            return page.read().decode()
    except (OSError, ValueError):  # none there, or no address at all
        return None


def update_failures(scoop, host, published):
    """What scoop's bot makes of the manifest with versions published beside
    this one: checkver must find the newest, autoupdate its zip and hash."""
    checkver = scoop["checkver"]
    if "github" in checkver:
        url, pick = checkver["github"] + "/releases/latest", 0
    else:
        url, pick = checkver["url"], -1 if checkver.get("reverse") else 0
    found = re.findall(checkver.get("regex", r"/releases/tag/(?:v|V)?([\d.]+)"), fetch(url, host) or "")
    newest = found[pick] if found else None
    if newest != published[-1]:
        return [f"scoop's checkver finds {newest!r} at {url} ({found}), not the newest, {published[-1]!r}"]
    zip_url = scoop["autoupdate"]["url"].replace("$version", newest)
    hash_of = scoop["autoupdate"].get("hash", {})
    hash_url = hash_of.get("url", "(none)").replace("$url", zip_url)
    zipped, listed = fetch(zip_url, host), fetch(hash_url, host)
    pattern = hash_of.get("regex", "$sha256").replace("$sha256", "([a-fA-F0-9]{64})")
    hashed = re.search(pattern, listed or "")
    if zipped is None or not hashed or hashed.group(1) != hashlib.sha256(zipped.encode()).hexdigest():
        return [f"scoop's autoupdate finds {zip_url} {zipped is not None} and its hash {hash_url} {hashed}"]
    return []


def publish(site, host, release_url, name, version, versions):
    """Each version's zip and checksum as the release step writes them, where
    the release address puts them, and GitHub's releases page, newest first."""
    tags = []
    for release in versions:
        url = release_url.replace("{version}", release).replace("{file}", name.replace(version, release))
        place = site / served(url, host)[len(host) + 1:]
        place.parent.mkdir(parents=True, exist_ok=True)
        place.write_bytes(f"lumora {release}".encode())
        digest = hashlib.sha256(place.read_bytes()).hexdigest()
        (place.parent / (place.name + ".sha256")).write_text(f"{digest}  {place.name}\n")
        tags.insert(0, url.split("/releases/download/")[-1].split("/")[0])
    if "/releases/download/" in release_url:
        project = release_url.split("github.com/")[1].split("/releases/")[0]
        page = site / "github" / project / "releases" / "latest"
        page.write_text("".join(f'<a href="/{project}/releases/tag/{tag}">{tag}</a>\n' for tag in tags))
