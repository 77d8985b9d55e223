#!/usr/bin/env python3
"""Writes the package managers' manifests for a release zip into the
directory it is published from: winget's manifest set (version, installer,
default locale English and a Persian locale) in the community repository's
layout under winget/manifests/, and scoop's under scoop/. Who publishes it
and where come from the publisher settings (packaging/publisher.conf).

    make-manifests.py ZIP VERSION PUBLISHER_CONF EPOCH OUT_DIR
    make-manifests.py --placeholders PUBLISHER_CONF

EPOCH is the release's time in seconds (the commit's, or SOURCE_DATE_EPOCH);
empty for none. --placeholders fails with one line naming every address
still a placeholder.
"""
import datetime
import hashlib
import json
import pathlib
import re
import sys

import yaml

PUBLISHER_ID, PACKAGE_ID = "NorvaleSoft", "Lumora"
IDENTIFIER = f"{PUBLISHER_ID}.{PACKAGE_ID}"
WINGET_MANIFEST_VERSION = "1.12.0"
# The version record's description of the program.
SUMMARY = "A tool to have an alternative Folder Option."
DESCRIPTION = ("Lumora shows and sets two per-user settings of the Windows file manager: "
               "whether hidden files and folders are shown, and whether protected operating "
               "system files are shown. English or Persian.")
TAGS = ["hidden-files", "system-files", "folder-options", "file-explorer", "persian"]
PERSIAN_NAME = "\u0644\u0648\u0645\u0648\u0631\u0627"
# "Show or hide hidden files and folders and system files."
PERSIAN_SUMMARY = ("\u0646\u0634\u0627\u0646 \u062f\u0627\u062f\u0646 \u06cc\u0627 \u0645\u062e\u0641\u06cc "
                   "\u06a9\u0631\u062f\u0646 \u0641\u0627\u06cc\u0644 \u0647\u0627 \u0648 "
                   "\u0641\u0648\u0644\u062f\u0631\u0647\u0627\u06cc \u067e\u0646\u0647\u0627\u0646 \u0648 "
                   "\u0641\u0627\u06cc\u0644 \u0647\u0627\u06cc \u0633\u06cc\u0633\u062a\u0645\u06cc")
# The English description's sense. Spelled as Persian is typed today (U+06CC yeh,
# U+06A9 keheh), not as the program's texts are stored: people search for it.
PERSIAN_DESCRIPTION = (
    "\u0644\u0648\u0645\u0648\u0631\u0627 \u062f\u0648 \u062a\u0646\u0638\u06cc\u0645 \u06a9\u0627\u0631\u0628\u0631 "
    "\u062f\u0631 \u0645\u062f\u06cc\u0631\u06cc\u062a \u0641\u0627\u06cc\u0644 \u0648\u06cc\u0646\u062f\u0648\u0632 "
    "\u0631\u0627 \u0646\u0634\u0627\u0646 \u0645\u06cc \u062f\u0647\u062f \u0648 \u062a\u063a\u06cc\u06cc\u0631 "
    "\u0645\u06cc \u062f\u0647\u062f: \u0646\u0645\u0627\u06cc\u0634 \u0641\u0627\u06cc\u0644 \u0647\u0627 \u0648 "
    "\u0641\u0648\u0644\u062f\u0631\u0647\u0627\u06cc \u067e\u0646\u0647\u0627\u0646\u060c \u0648 \u0646\u0645\u0627\u06cc\u0634 "
    "\u0641\u0627\u06cc\u0644 \u0647\u0627\u06cc \u0645\u062d\u0627\u0641\u0638\u062a \u0634\u062f\u0647 "
    "\u0633\u06cc\u0633\u062a\u0645\u06cc. \u0628\u0647 \u0627\u0646\u06af\u0644\u06cc\u0633\u06cc \u06cc\u0627 "
    "\u0641\u0627\u0631\u0633\u06cc.")
# With no licence set the program is free to use, and no more: both package
# managers' word for that (scoop's "Proprietary" means it must be bought).
NO_LICENCE = "Freeware"
# Stands for the version in a zip's name while a template is made of it.
VERSION_IN_FILE = "{version}"
# The addresses a release needs, and what the maintainer calls them.
ADDRESSES = {"homepage": "home address", "release_url": "release address",
             "release_notes_url": "release notes address"}


def publisher_settings(path):
    settings = {}
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.lstrip().startswith("#"):
            key, _, value = line.partition("=")
            settings[key.strip()] = value.strip()
    return settings


def placeholders(settings):
    """The addresses still unset or under .invalid, a name that never resolves."""
    return [key for key in ADDRESSES if ".invalid/" in settings.get(key, ".invalid/")]


def release_address(settings, key, version, file):
    return settings[key].replace("{version}", version).replace("{file}", file)


def write_yaml(path, schema, fields):
    header = (f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{schema}."
              f"{WINGET_MANIFEST_VERSION}.schema.json\n")
    # Versions and dates stay text: PyYAML quotes what would read as another type.
    text = yaml.safe_dump(fields, allow_unicode=True, sort_keys=False, width=4096)
    path.write_text(header + text, encoding="utf-8")


def winget_manifests(settings, version, url, digest, date):
    licence = settings.get("license") or NO_LICENCE
    common = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    locale = {"Publisher": settings["publisher"], "PublisherUrl": settings["homepage"],
              "PackageName": "Lumora", "PackageUrl": settings["homepage"], "License": licence}
    if settings.get("license") and settings.get("license_url"):
        locale["LicenseUrl"] = settings["license_url"]
    notes = release_address(settings, "release_notes_url", version, "")
    installer = {**common, "InstallerType": "zip", "NestedInstallerType": "portable",
                 "NestedInstallerFiles": [{"RelativeFilePath": "lumora.exe", "PortableCommandAlias": "lumora"}]}
    if date:
        installer["ReleaseDate"] = date
    installer["Installers"] = [{"Architecture": "x86", "InstallerUrl": url, "InstallerSha256": digest.upper()}]
    tail = {"ManifestVersion": WINGET_MANIFEST_VERSION}
    return {
        f"{IDENTIFIER}.yaml": ("version", {**common, "DefaultLocale": "en-US", "ManifestType": "version", **tail}),
        f"{IDENTIFIER}.installer.yaml": ("installer", {**installer, "ManifestType": "installer", **tail}),
        f"{IDENTIFIER}.locale.en-US.yaml": ("defaultLocale", {
            **common, "PackageLocale": "en-US", **locale, "ShortDescription": SUMMARY,
            "Description": DESCRIPTION, "Moniker": "lumora", "Tags": TAGS, "ReleaseNotesUrl": notes,
            "ManifestType": "defaultLocale", **tail}),
        f"{IDENTIFIER}.locale.fa-IR.yaml": ("locale", {
            **common, "PackageLocale": "fa-IR", **locale, "PackageName": PERSIAN_NAME,
            "ShortDescription": PERSIAN_SUMMARY, "Description": PERSIAN_DESCRIPTION,
            "ManifestType": "locale", **tail}),
    }


def github_project(release_url):
    """The GitHub project a release address of its releases names, or None."""
    found = re.match(r"https://github\.com/([^/]+/[^/]+)/releases/download/", release_url)
    return f"https://github.com/{found.group(1)}" if found else None


def checkver(settings, file):
    """Where scoop's bot finds the newest version: a GitHub project's latest
    release by its tag, or the listing of the folder that holds the folder
    (or file) of each version on a plain web server, as its index shows it,
    the newest listed last."""
    template = settings["release_url"].replace("{file}", file.replace(VERSION_IN_FILE, "{version}"))
    project = github_project(template)
    if project:
        tag = template.split("/releases/download/")[1].split("/")[0]
        return {"github": project, "regex": "/releases/tag/" + re.escape(tag).replace(r"\{version\}", r"([\d.]+)")}
    before, _, after = template.partition("{version}")
    listing, _, head = before.rpartition("/")
    tail = after.split("/")[0]
    entry = re.escape(head) + r"([\d.]+)" + re.escape(tail) + ("/" if "/" in after else "")
    return {"url": listing + "/", "regex": f'href="(?:\\./)?{entry}"', "reverse": True}


def scoop_manifest(settings, version, url, digest, file):
    licence = settings.get("license") or NO_LICENCE
    if settings.get("license") and settings.get("license_url"):
        licence = {"identifier": licence, "url": settings["license_url"]}
    template_file = file.replace(version, "$version")
    return {"version": version, "description": SUMMARY, "homepage": settings["homepage"],
            "license": licence, "url": url, "hash": digest,
            "shortcuts": [["lumora.exe", "Lumora"]],
            "checkver": checkver(settings, file.replace(version, VERSION_IN_FILE)),
            # Each release's SHA-256 beside its zip, as the release step writes it.
            "autoupdate": {"url": release_address(settings, "release_url", "$version", template_file),
                           "hash": {"url": "$url.sha256", "regex": "^$sha256\\s"}}}


def main():
    if sys.argv[1] == "--placeholders":
        conf = sys.argv[2]
        left = placeholders(publisher_settings(conf))
        if left:
            names = ", ".join(f"{key} ({ADDRESSES[key]})" for key in left)
            print(f"release: a signed release needs real addresses; still placeholders in {conf}: {names}",
                  file=sys.stderr)
            sys.exit(1)
        return
    zip_path, version, conf, epoch, out = pathlib.Path(sys.argv[1]), *sys.argv[2:6]
    settings = publisher_settings(conf)
    digest = hashlib.sha256(zip_path.read_bytes()).hexdigest()
    url = release_address(settings, "release_url", version, zip_path.name)
    date = datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc).date().isoformat() if epoch else ""

    winget = pathlib.Path(out) / "winget" / "manifests" / IDENTIFIER[0].lower() / PUBLISHER_ID / PACKAGE_ID / version
    winget.mkdir(parents=True, exist_ok=True)
    for name, (schema, fields) in winget_manifests(settings, version, url, digest, date).items():
        write_yaml(winget / name, schema, fields)
    scoop = pathlib.Path(out) / "scoop"
    scoop.mkdir(parents=True, exist_ok=True)
    manifest = scoop_manifest(settings, version, url, digest, zip_path.name)
    (scoop / "lumora.json").write_text(json.dumps(manifest, indent=4, ensure_ascii=False) + "\n", encoding="utf-8")
    left = placeholders(settings)
    note = f"; {', '.join(left)} still placeholders in {conf}" if left else ""
    print(f"manifests: {winget.relative_to(out)}/ and scoop/ for {zip_path.name}, SHA-256 {digest}{note}")


if __name__ == "__main__":
    main()
