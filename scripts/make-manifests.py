#!/usr/bin/env python3
"""Writes the package managers' manifests for a release zip into the
directory it is published from: winget's manifest set (version, installer,
default locale English and a Persian locale) under winget/, and scoop's
under scoop/. Who publishes it and where come from packaging/publisher.conf.

    make-manifests.py ZIP VERSION PUBLISHER_CONF OUT_DIR
"""
import hashlib
import json
import pathlib
import sys

IDENTIFIER = "NorvaleSoft.Lumora"
WINGET_MANIFEST_VERSION = "1.6.0"
# The version record's description of the program.
SUMMARY = "A tool to have an alternative Folder Option."
DESCRIPTION = ("Lumora shows and sets two per-user settings of the Windows file manager: "
               "whether hidden files and folders are shown, and whether protected operating "
               "system files are shown. English or Persian.")
PERSIAN_NAME = "\u0644\u0648\u0645\u0648\u0631\u0627"
# "Show or hide hidden files and folders and system files."
PERSIAN_SUMMARY = ("\u0646\u0634\u0627\u0646 \u062f\u0627\u062f\u0646 \u064a\u0627 \u0645\u062e\u0641\u064a "
                   "\u06a9\u0631\u062f\u0646 \u0641\u0627\u064a\u0644 \u0647\u0627 \u0648 "
                   "\u0641\u0648\u0644\u062f\u0631\u0647\u0627\u064a \u067e\u0646\u0647\u0627\u0646 \u0648 "
                   "\u0641\u0627\u064a\u0644 \u0647\u0627\u064a \u0633\u064a\u0633\u062a\u0645\u064a")
NO_LICENCE = "No licence has been chosen yet"


def publisher_settings(path):
    settings = {}
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.lstrip().startswith("#"):
            key, _, value = line.partition("=")
            settings[key.strip()] = value.strip()
    return settings


def yaml(schema, fields):
    """A manifest as YAML: every value a double-quoted string (a JSON string
    is one), so that a version such as 1.00 stays text."""
    def lines(value, indent):
        if isinstance(value, dict):
            for key, item in value.items():
                if isinstance(item, (dict, list)):
                    yield f"{indent}{key}:"
                    yield from lines(item, indent + "  ")
                else:
                    yield f"{indent}{key}: {json.dumps(item, ensure_ascii=False)}"
        else:
            for item in value:
                first, *rest = lines(item, indent + "  ")
                yield f"{indent}- {first.lstrip()}"
                yield from rest
    header = (f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{schema}."
              f"{WINGET_MANIFEST_VERSION}.schema.json\n")
    return header + "\n".join(lines(fields, "")) + "\n"


def main():
    zip_path, version, conf, out = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
    settings = publisher_settings(conf)
    digest = hashlib.sha256(zip_path.read_bytes()).hexdigest()
    url = settings["release_url"].replace("{version}", version).replace("{file}", zip_path.name)
    licence = settings.get("license") or NO_LICENCE
    common = {"PackageIdentifier": IDENTIFIER, "PackageVersion": version}
    tail = {"ManifestVersion": WINGET_MANIFEST_VERSION}

    winget = pathlib.Path(out) / "winget"
    winget.mkdir(parents=True, exist_ok=True)
    locale = {"Publisher": settings["publisher"], "PublisherUrl": settings["homepage"],
              "PackageName": "Lumora", "PackageUrl": settings["homepage"], "License": licence}
    if settings.get("license_url"):
        locale["LicenseUrl"] = settings["license_url"]
    manifests = {
        f"{IDENTIFIER}.yaml": ("version", {**common, "DefaultLocale": "en-US", "ManifestType": "version"}),
        f"{IDENTIFIER}.installer.yaml": ("installer", {
            **common, "InstallerType": "zip", "NestedInstallerType": "portable",
            "NestedInstallerFiles": [{"RelativeFilePath": "lumora.exe", "PortableCommandAlias": "lumora"}],
            "Scope": "user", "Installers": [{"Architecture": "x86", "InstallerUrl": url,
                                             "InstallerSha256": digest.upper()}],
            "ManifestType": "installer"}),
        f"{IDENTIFIER}.locale.en-US.yaml": ("defaultLocale", {
            **common, "PackageLocale": "en-US", **locale, "ShortDescription": SUMMARY,
            "Description": DESCRIPTION, "Moniker": "lumora", "ManifestType": "defaultLocale"}),
        f"{IDENTIFIER}.locale.fa-IR.yaml": ("locale", {
            **common, "PackageLocale": "fa-IR", **locale, "PackageName": PERSIAN_NAME,
            "ShortDescription": PERSIAN_SUMMARY, "ManifestType": "locale"}),
    }
    for name, (schema, fields) in manifests.items():
        (winget / name).write_text(yaml(schema, {**fields, **tail}), encoding="utf-8")

    scoop = pathlib.Path(out) / "scoop"
    scoop.mkdir(parents=True, exist_ok=True)
    manifest = {"version": version, "description": SUMMARY, "homepage": settings["homepage"],
                "license": {"identifier": settings.get("license") or "Unknown"}, "url": url,
                "hash": digest, "bin": "lumora.exe", "shortcuts": [["lumora.exe", "Lumora"]]}
    if not settings.get("license"):
        manifest["##"] = NO_LICENCE
    elif settings.get("license_url"):
        manifest["license"]["url"] = settings["license_url"]
    (scoop / "lumora.json").write_text(json.dumps(manifest, indent=4, ensure_ascii=False) + "\n",
                                       encoding="utf-8")
    placeholders = [key for key in ("homepage", "release_url") if ".invalid/" in settings[key]]
    note = f"; {' and '.join(placeholders)} still placeholders in {conf}" if placeholders else ""
    print(f"manifests: winget/ and scoop/ for {zip_path.name}, SHA-256 {digest}{note}")


if __name__ == "__main__":
    main()
