#!/usr/bin/env python3
"""Makes the release package into a directory of its own and fails unless
its name, its files, its checksum, the version record of the lumora.exe
inside it and the package managers' manifests beside it agree.

    check-package.py CPACK CPACK_CONFIG BUILT_EXE PLATFORM OUT_DIR
"""
import hashlib
import json
import pathlib
import re
import shutil
import datetime
import os
import subprocess
import sys
import zipfile

import pefile
import yaml


def version_record(exe):
    """The fixed file and product version numbers and the texts of the
    version record's FileVersion and ProductVersion."""
    pe = pefile.PE(data=exe)
    fixed = pe.VS_FIXEDFILEINFO[0]
    numbers = {"FileVersion": (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
                               fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF),
               "ProductVersion": (fixed.ProductVersionMS >> 16, fixed.ProductVersionMS & 0xFFFF,
                                  fixed.ProductVersionLS >> 16, fixed.ProductVersionLS & 0xFFFF)}
    strings = {}
    for info in pe.FileInfo[0]:
        for table in getattr(info, "StringTable", []):
            strings.update({key.decode(): value.decode() for key, value in table.entries.items()})
    missing = [key for key in ("FileVersion", "ProductVersion") if key not in strings]
    if missing:
        sys.exit(f"no {' or '.join(missing)} text in the version record")
    return numbers, {key: strings[key] for key in ("FileVersion", "ProductVersion")}


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


def winget_failures(folder, url, version, digest, date):
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
    if installer.get("ReleaseDate") != date or (date and not DATE.match(date)):
        failures.append(f"winget's release date {installer.get('ReleaseDate')!r}, the release's {date!r}")
    english, persian = manifests["NorvaleSoft.Lumora.locale.en-US.yaml"], manifests["NorvaleSoft.Lumora.locale.fa-IR.yaml"]
    if (manifests["NorvaleSoft.Lumora.yaml"]["DefaultLocale"], english["PackageLocale"], persian["PackageLocale"]) != ("en-US", "en-US", "fa-IR"):
        failures.append("winget's locales are not en-US and fa-IR")
    if not english.get("Tags") or "ReleaseNotesUrl" not in english or english["License"] != "Proprietary":
        failures.append(f"the English locale: tags {english.get('Tags')}, notes {english.get('ReleaseNotesUrl')}, licence {english['License']!r}")
    description = persian.get("Description", "")
    if not description or "\u06cc" in description or "\u0643" in description:
        failures.append("the Persian locale has no Description of its own in the texts' spelling")
    return failures


def scoop_failures(path, url, version, digest):
    """What the scoop manifest gets wrong, autoupdate's address for this version included."""
    scoop = json.loads(path.read_text(encoding="utf-8"))
    failures = [f"scoop lacks {key}" for key in ("version", "description", "homepage", "license", "url", "hash",
                                                  "checkver", "autoupdate") if key not in scoop]
    if failures:
        return failures
    if (scoop["version"], scoop["url"], scoop["hash"]) != (version, url, digest) or not SHA256.match(scoop["hash"]):
        failures.append(f"scoop has {scoop['version']!r} {scoop['url']} {scoop['hash']}, the zip {url} {digest}")
    # This version's zip, and another version's by the same template.
    for release in (version, "9.99"):
        if scoop["autoupdate"]["url"].replace("$version", release) != url.replace(version, release):
            failures.append(f"scoop's autoupdate address {scoop['autoupdate']['url']} is not {release}'s zip")
    if "bin" in scoop or scoop["license"] != "Proprietary" or not ADDRESS.match(scoop["homepage"]):
        failures.append(f"scoop: bin {scoop.get('bin')!r}, licence {scoop['license']!r}, home {scoop['homepage']!r}")
    if not re.search(scoop["checkver"]["regex"], pathlib.Path(url).name):
        failures.append(f"scoop's checkver finds no version in {url}")
    return failures


def manifest_failures(out, name, version, digest, date):
    """What the winget and scoop manifests beside the zip get wrong about it."""
    publisher = {}
    for line in (pathlib.Path(__file__).parent.parent / "packaging" / "publisher.conf").read_text().splitlines():
        if "=" in line and not line.startswith("#"):
            publisher[line.split("=")[0].strip()] = line.split("=", 1)[1].strip()
    url = publisher["release_url"].replace("{version}", version).replace("{file}", name)
    folder = out / "winget" / "manifests" / "n" / "NorvaleSoft" / "Lumora" / version
    return winget_failures(folder, url, version, digest, date) + scoop_failures(out / "scoop" / "lumora.json", url, version, digest)


def main():
    cpack, config, built_exe, platform, out = sys.argv[1:6]
    out = pathlib.Path(out)
    shutil.rmtree(out, ignore_errors=True)
    subprocess.run([cpack, "--config", config, "-B", str(out)], check=True, stdout=subprocess.DEVNULL)
    zips = sorted(p.name for p in out.glob("*.zip"))
    if len(zips) != 1:
        sys.exit(f"expected one zip, found {zips}")
    name = zips[0]
    failures = []

    # The release's time, as the package step takes it: entries and ReleaseDate.
    epoch = os.environ.get("SOURCE_DATE_EPOCH") or subprocess.run(
        ["git", "-C", str(pathlib.Path(__file__).parent), "log", "-1", "--format=%ct"],
        capture_output=True, text=True, check=False).stdout.strip()
    when = datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc) if epoch else None
    date = when.date().isoformat() if when else None
    with zipfile.ZipFile(out / name) as package:
        files = [info.filename for info in package.infolist()]
        if files != ["README.txt", "lumora.exe"]:
            failures.append(f"the zip holds {files}, not README.txt and lumora.exe in that order")
        stamps = {(i.date_time, i.external_attr >> 16) for i in package.infolist()}
        # A zip entry keeps its time to two seconds.
        stamp = (*when.timetuple()[:5], when.second - when.second % 2) if when else None
        if when and stamps != {(stamp, 0o100644)}:
            failures.append(f"the zip's entries carry {stamps}, not the release's time {when} and rw-r--r--")
        exe = package.read("lumora.exe")
        readme = package.read("README.txt")
    if exe != pathlib.Path(built_exe).read_bytes():
        failures.append("the zip's lumora.exe is not the one built")
    if b"\n" in readme.replace(b"\r\n", b""):
        failures.append("README.txt has lines that do not end in CR LF")

    numbers, texts = version_record(exe)
    major, minor = numbers["FileVersion"][:2]
    if numbers["ProductVersion"] != numbers["FileVersion"] or numbers["FileVersion"][2:] != (0, 0):
        failures.append(f"version numbers {numbers}")
    expected_text = f"{major}.{minor:02d}"
    for key, text in texts.items():
        if text != expected_text:
            failures.append(f"{key} is {text!r} where the numbers {major},{minor} say {expected_text!r}")
    if name != f"lumora-{texts['FileVersion']}-{platform}.zip":
        failures.append(f"the package is {name}, the exe's FileVersion {texts['FileVersion']!r}")
    if f"Lumora {texts['FileVersion']}\r\n".encode() not in readme:
        failures.append("README.txt does not name the version")

    # The checksum file as sha256sum -c reads it: the hash, two spaces, the name.
    digest = hashlib.sha256((out / name).read_bytes()).hexdigest()
    checksum = (out / (name + ".sha256")).read_text()
    if checksum != f"{digest}  {name}\n":
        failures.append(f"checksum file {checksum!r}, the zip's hash {digest}")
    if subprocess.run(["sha256sum", "--quiet", "-c", name + ".sha256"], cwd=out, check=False).returncode:
        failures.append("sha256sum -c rejects the checksum file")

    failures += manifest_failures(out, name, texts["FileVersion"], digest, date)
    for failure in failures:
        print("package:", failure, file=sys.stderr)
    if failures:
        sys.exit(1)
    print(f"package: {name} holds {', '.join(files)}; version {texts['FileVersion']}; {checksum.strip()}")


if __name__ == "__main__":
    main()
