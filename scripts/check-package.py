#!/usr/bin/env python3
"""Makes the release package into a directory of its own and fails unless
its name, its files, its checksum, the version record of the lumora.exe
inside it and the package managers' manifests beside it agree; then again
for a licence set and for each kind of release address the publisher
settings document, where scoop's update bot, as it reads the manifest, must
find the newest of three published versions and its zip and checksum.

    check-package.py CPACK CPACK_CONFIG BUILT_EXE PLATFORM OUT_DIR RELEASE_DATE

SOURCE_DATE_EPOCH is the release's time, RELEASE_DATE the day it falls on.
"""
import datetime
import functools
import hashlib
import http.server
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import zipfile

import pefile
import yaml

from scoop_bot import publish, update_failures


DESCRIPTION = "A tool to have an alternative Folder Option."


def version_record(exe):
    """The fixed file and product version numbers, the texts of the version
    record's one table, and what its translation names."""
    pe = pefile.PE(data=exe)
    fixed = pe.VS_FIXEDFILEINFO[0]
    numbers = {"FileVersion": (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
                               fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF),
               "ProductVersion": (fixed.ProductVersionMS >> 16, fixed.ProductVersionMS & 0xFFFF,
                                  fixed.ProductVersionLS >> 16, fixed.ProductVersionLS & 0xFFFF)}
    tables, translations = {}, []
    for info in pe.FileInfo[0]:
        for table in getattr(info, "StringTable", []):
            tables[table.LangID.decode().lower()] = {k.decode(): v.decode() for k, v in table.entries.items()}
        for var in getattr(info, "Var", []):
            translations += var.entry.values()
    return numbers, tables, translations


# The forms winget's manifest schemas give these fields.
IDENTIFIER = re.compile(r'^[^\.\s\\/:\*\?"<>\|\x01-\x1f]{1,32}(\.[^\.\s\\/:\*\?"<>\|\x01-\x1f]{1,32}){1,7}$')
VERSION = re.compile(r'^[^\\/:\*\?"<>\|\x01-\x1f]{1,128}$')
ADDRESS = re.compile(r"^([Hh][Tt][Tt][Pp][Ss]?)://.+$")
SHA256 = re.compile(r"^[A-Fa-f0-9]{64}$")
DATE = re.compile(r"^\d{4}-\d{2}-\d{2}$")
# Each manifest type's required fields, as its schema lists them.
REQUIRED = {
    "version": {"PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"},
    "installer": {"PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"},
    "defaultLocale": {"PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
                      "License", "ShortDescription", "ManifestType", "ManifestVersion"},
    "locale": {"PackageIdentifier", "PackageVersion", "PackageLocale", "ManifestType", "ManifestVersion"},
}
WINGET_MANIFEST_VERSION = "1.12.0"


def publisher_settings(path):
    """The publisher settings as the package step reads them."""
    settings = {}
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        if "=" in line and not line.lstrip().startswith("#"):
            key, _, value = line.partition("=")
            settings[key.strip()] = value.strip()
    return settings


def winget_failures(folder, url, version, digest, date, licence):
    """What the winget manifest set in its repository folder gets wrong."""
    failures = []
    manifests = {}
    for path in sorted(folder.glob("*.yaml")):
        text = path.read_text(encoding="utf-8")
        manifests[path.name] = manifest = yaml.safe_load(text)
        kind = manifest.get("ManifestType")
        header = f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{WINGET_MANIFEST_VERSION}.schema.json\n"
        if not text.startswith(header):
            failures.append(f"{path.name} does not start with its schema line")
        if kind not in REQUIRED or not REQUIRED[kind] <= manifest.keys():
            failures.append(f"{path.name}: a {kind} manifest lacks {sorted(REQUIRED.get(kind, set()) - manifest.keys())}")
            continue
        if manifest["ManifestVersion"] != WINGET_MANIFEST_VERSION:
            failures.append(f"{path.name} is of manifest version {manifest['ManifestVersion']!r}")
        if not IDENTIFIER.match(manifest["PackageIdentifier"]) or not VERSION.match(manifest["PackageVersion"]):
            failures.append(f"{path.name} names {manifest['PackageIdentifier']!r} {manifest['PackageVersion']!r}")
        if (manifest["PackageIdentifier"], manifest["PackageVersion"]) != ("NorvaleSoft.Lumora", version):
            failures.append(f"{path.name} is for {manifest['PackageIdentifier']} {manifest['PackageVersion']!r}")
        for key in ("PublisherUrl", "PackageUrl", "LicenseUrl", "ReleaseNotesUrl"):
            if key in manifest and not ADDRESS.match(manifest[key]):
                failures.append(f"{path.name}: {key} {manifest[key]!r} is no address")
        if kind in ("defaultLocale", "locale") and (manifest["License"], manifest.get("LicenseUrl")) != licence:
            failures.append(f"{path.name}: licence {manifest['License']!r} {manifest.get('LicenseUrl')!r}, not {licence}")
    expected = {"NorvaleSoft.Lumora.yaml": "version", "NorvaleSoft.Lumora.installer.yaml": "installer",
                "NorvaleSoft.Lumora.locale.en-US.yaml": "defaultLocale",
                "NorvaleSoft.Lumora.locale.fa-IR.yaml": "locale"}
    if {name: m.get("ManifestType") for name, m in manifests.items()} != expected:
        return failures + [f"winget manifests {sorted(manifests)} in {folder} are not the four of a manifest set"]
    installer = manifests["NorvaleSoft.Lumora.installer.yaml"]
    found = [(i["Architecture"], i["InstallerUrl"], i["InstallerSha256"]) for i in installer["Installers"]]
    if found != [("x86", url, digest.upper())] or not SHA256.match(found[0][2]):
        failures.append(f"winget installers {found}, the zip {url} {digest}")
    nested = (installer["InstallerType"], installer["NestedInstallerType"],
              installer["NestedInstallerFiles"][0]["RelativeFilePath"], "Scope" in installer)
    if nested != ("zip", "portable", "lumora.exe", False):
        failures.append(f"winget installs {nested}")
    if installer.get("ReleaseDate") != date:
        failures.append(f"winget's release date {installer.get('ReleaseDate')!r}, the release's {date!r}")
    english, persian = manifests["NorvaleSoft.Lumora.locale.en-US.yaml"], manifests["NorvaleSoft.Lumora.locale.fa-IR.yaml"]
    if (manifests["NorvaleSoft.Lumora.yaml"]["DefaultLocale"], english["PackageLocale"], persian["PackageLocale"]) != ("en-US", "en-US", "fa-IR"):
        failures.append("winget's locales are not en-US and fa-IR")
    if not english.get("Tags") or "ReleaseNotesUrl" not in english:
        failures.append(f"the English locale: tags {english.get('Tags')}, notes {english.get('ReleaseNotesUrl')}")
    # Persian as people type it to search: Farsi yeh and keheh, not the Arabic letters.
    for key in ("PackageName", "ShortDescription", "Description"):
        text = persian.get(key, "")
        if not text or "\u064a" in text or "\u0643" in text or (key != "PackageName" and "\u06cc" not in text):
            failures.append(f"the Persian {key} is not in today's spelling: {text!r}")
    return failures


def scoop_failures(scoop, url, version, digest, licence):
    """What the scoop manifest gets wrong, autoupdate's address for this version included."""
    failures = [f"scoop lacks {key}" for key in ("version", "description", "homepage", "license", "url", "hash",
                                                  "checkver", "autoupdate") if key not in scoop]
    if failures:
        return failures
    if (scoop["version"], scoop["url"], scoop["hash"]) != (version, url, digest) or not SHA256.match(scoop["hash"]):
        failures.append(f"scoop has {scoop['version']!r} {scoop['url']} {scoop['hash']}, the zip {url} {digest}")
    if scoop["autoupdate"]["url"].replace("$version", version) != url:
        failures.append(f"scoop's autoupdate address {scoop['autoupdate']['url']} is not this version's zip")
    wanted = {"identifier": licence[0], "url": licence[1]} if licence[1] else licence[0]
    if "bin" in scoop or scoop["license"] != wanted or not ADDRESS.match(scoop["homepage"]):
        failures.append(f"scoop: bin {scoop.get('bin')!r}, licence {scoop['license']!r} not {wanted!r}, home {scoop['homepage']!r}")
    return failures


def package_failures(cpack, config, built_exe, platform, out, date, conf):
    """Makes the package with the publisher settings given and says what it gets wrong."""
    shutil.rmtree(out, ignore_errors=True)
    subprocess.run([cpack, "--config", config, "-B", str(out)], check=True, stdout=subprocess.DEVNULL,
                   env=dict(os.environ, LUMORA_PUBLISHER_CONF=str(conf)))
    zips = sorted(p.name for p in out.glob("*.zip"))
    if len(zips) != 1:
        return [f"expected one zip, found {zips}"], None, None
    name = zips[0]
    failures = []
    when = datetime.datetime.fromtimestamp(int(os.environ["SOURCE_DATE_EPOCH"]), datetime.timezone.utc)
    with zipfile.ZipFile(out / name) as package:
        files = [info.filename for info in package.infolist()]
        if files != ["README.txt", "lumora.exe"]:
            failures.append(f"the zip holds {files}, not README.txt and lumora.exe in that order")
        stamps = {(i.date_time, i.external_attr >> 16) for i in package.infolist()}
        # A zip entry keeps its time to two seconds.
        if stamps != {((*when.timetuple()[:5], when.second - when.second % 2), 0o100644)}:
            failures.append(f"the zip's entries carry {stamps}, not the release's time {when} and rw-r--r--")
        exe = package.read("lumora.exe")
        readme = package.read("README.txt")
    if exe != pathlib.Path(built_exe).read_bytes():
        failures.append("the zip's lumora.exe is not the one built")
    if b"\n" in readme.replace(b"\r\n", b""):
        failures.append("README.txt has lines that do not end in CR LF")

    numbers, tables, translations = version_record(exe)
    major, minor = numbers["FileVersion"][:2]
    if numbers["ProductVersion"] != numbers["FileVersion"] or numbers["FileVersion"][2:] != (0, 0):
        failures.append(f"version numbers {numbers}")
    # US English in UTF-16, and the description twice.
    texts = tables.get("040904b0", {})
    expected_text = f"{major}.{minor:02d}"
    wanted = {"FileVersion": expected_text, "ProductVersion": expected_text, "Comments": DESCRIPTION,
              "FileDescription": DESCRIPTION}
    if list(tables) != ["040904b0"] or translations != ["0x0409 0x04b0"] or \
            {key: texts.get(key) for key in wanted} != wanted:
        failures.append(f"the version record holds {tables} for {translations}")
    version = texts.get("FileVersion")
    if name != f"lumora-{version}-{platform}.zip":
        return failures + [f"the package is {name}, the exe's FileVersion {version!r}"], None, None
    if f"Lumora {version}\r\n".encode() not in readme:
        failures.append("README.txt does not name the version")

    # The checksum file as sha256sum -c reads it: the hash, two spaces, the name.
    digest = hashlib.sha256((out / name).read_bytes()).hexdigest()
    checksum = (out / (name + ".sha256")).read_text()
    if checksum != f"{digest}  {name}\n":
        failures.append(f"checksum file {checksum!r}, the zip's hash {digest}")
    if subprocess.run(["sha256sum", "--quiet", "-c", name + ".sha256"], cwd=out, check=False).returncode:
        failures.append("sha256sum -c rejects the checksum file")

    settings = publisher_settings(conf)
    url = settings["release_url"].replace("{version}", version).replace("{file}", name)
    licence = (settings.get("license") or "Freeware", settings.get("license_url") or None)
    folder = out / "winget" / "manifests" / "n" / "NorvaleSoft" / "Lumora" / version
    scoop = json.loads((out / "scoop" / "lumora.json").read_text(encoding="utf-8"))
    failures += winget_failures(folder, url, version, digest, date, licence)
    failures += scoop_failures(scoop, url, version, digest, licence)
    return failures, scoop, (name, version)


def main():
    cpack, config, built_exe, platform, out, date = sys.argv[1:7]
    out = pathlib.Path(out)
    shutil.rmtree(out, ignore_errors=True)
    out.mkdir(parents=True)
    failures, _, named = package_failures(
        cpack, config, built_exe, platform, out / "as-set", date,
        os.environ.get("LUMORA_PUBLISHER_CONF") or pathlib.Path(__file__).parent.parent / "packaging" / "publisher.conf")
    if not named:
        sys.exit("\n".join(f"package: {failure}" for failure in failures))
    name, version = named

    # A static server's folder index, and GitHub: an older and a newer version beside this one.
    site = out / "site"
    site.mkdir()
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=str(site))
    handler.log_message = lambda *args: None
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    host = f"http://127.0.0.1:{server.server_address[1]}"
    published = [f"{int(version.split('.')[0]) - 1}.90", version, f"{version[:-1]}{int(version[-1]) + 1}"]
    kinds = {"folders": f"{host}/lumora/releases/{{version}}/{{file}}",
             "github": "https://github.com/norvalesoft/lumora/releases/download/v{version}/{file}"}
    try:
        for kind, release_url in kinds.items():
            conf = out / f"{kind}.conf"
            conf.write_text(f"publisher = NorvaleSoft\nhomepage = https://lumora.example/\nrelease_url = {release_url}\n"
                            "release_notes_url = https://lumora.example/{version}/\nlicense = MIT\n"
                            "license_url = https://lumora.example/LICENSE.txt\n")
            found, scoop, _ = package_failures(cpack, config, built_exe, platform, out / kind, date, conf)
            failures += [f"{kind}: {failure}" for failure in found]
            publish(site, host, release_url, name, version, published)
            failures += [f"{kind}: {failure}" for failure in update_failures(scoop, host, published)]
    finally:
        server.shutdown()
        server.server_close()
    for failure in failures:
        print("package:", failure, file=sys.stderr)
    if failures:
        sys.exit(1)
    print(f"package: {name}, version {version}, from {date}; licences and scoop's updates checked "
          f"for {', '.join(kinds)} over {', '.join(published)}")


if __name__ == "__main__":
    main()
