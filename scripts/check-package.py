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
import struct
import subprocess
import sys
import zipfile

import yaml


def version_record(exe):
    """The fixed file and product version numbers and the texts of the
    version record's FileVersion and ProductVersion."""
    at = exe.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        sys.exit("no version record in lumora.exe")
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", exe, at + 8)
    texts = {}
    for key in ("FileVersion", "ProductVersion"):
        found = re.search(re.escape((key + "\0").encode("utf-16-le")) + rb"(?:\0\0)*((?:[^\0].|\0[^\0])*?)\0\0",
                          exe, re.S)
        if not found:
            sys.exit(f"no {key} text in the version record")
        texts[key] = found.group(1).decode("utf-16-le")
    numbers = {"FileVersion": (file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, file_ls & 0xFFFF),
               "ProductVersion": (product_ms >> 16, product_ms & 0xFFFF, product_ls >> 16, product_ls & 0xFFFF)}
    return numbers, texts


def manifest_failures(out, name, version, digest):
    """What the winget and scoop manifests beside the zip get wrong about it."""
    failures = []
    publisher = {}
    for line in (pathlib.Path(__file__).parent.parent / "packaging" / "publisher.conf").read_text().splitlines():
        if "=" in line and not line.startswith("#"):
            publisher[line.split("=")[0].strip()] = line.split("=", 1)[1].strip()
    url = publisher["release_url"].replace("{version}", version).replace("{file}", name)
    winget = {}
    for path in sorted((out / "winget").glob("*.yaml")):
        with open(path, encoding="utf-8") as manifest:
            winget[path.name] = yaml.safe_load(manifest)
    expected = {"NorvaleSoft.Lumora.yaml": "version", "NorvaleSoft.Lumora.installer.yaml": "installer",
                "NorvaleSoft.Lumora.locale.en-US.yaml": "defaultLocale",
                "NorvaleSoft.Lumora.locale.fa-IR.yaml": "locale"}
    if {file: m.get("ManifestType") for file, m in winget.items()} != expected:
        return [f"winget manifests {sorted(winget)} are not the four of a manifest set"]
    for file, manifest in winget.items():
        if (manifest["PackageIdentifier"], manifest["PackageVersion"]) != ("NorvaleSoft.Lumora", version):
            failures.append(f"{file} is for {manifest['PackageIdentifier']} {manifest['PackageVersion']!r}")
    installer = winget["NorvaleSoft.Lumora.installer.yaml"]
    found = [(i["Architecture"], i["InstallerUrl"], i["InstallerSha256"].lower()) for i in installer["Installers"]]
    if found != [("x86", url, digest)]:
        failures.append(f"winget installers {found}, the zip {url} {digest}")
    nested = (installer["InstallerType"], installer["NestedInstallerType"], installer["Scope"],
              installer["NestedInstallerFiles"][0]["RelativeFilePath"])
    if nested != ("zip", "portable", "user", "lumora.exe"):
        failures.append(f"winget installs {nested}")
    locales = (winget["NorvaleSoft.Lumora.yaml"]["DefaultLocale"],
               winget["NorvaleSoft.Lumora.locale.en-US.yaml"]["PackageLocale"],
               winget["NorvaleSoft.Lumora.locale.fa-IR.yaml"]["PackageLocale"])
    if locales != ("en-US", "en-US", "fa-IR"):
        failures.append(f"winget locales {locales}")
    with open(out / "scoop" / "lumora.json", encoding="utf-8") as manifest:
        scoop = json.load(manifest)
    if (scoop["version"], scoop["url"], scoop["hash"].lower(), scoop["bin"]) != (version, url, digest, "lumora.exe"):
        failures.append(f"scoop has {scoop['version']!r} {scoop['url']} {scoop['hash']}, the zip {url} {digest}")
    return failures


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

    with zipfile.ZipFile(out / name) as package:
        files = sorted(package.namelist())
        if files != ["README.txt", "lumora.exe"]:
            failures.append(f"the zip holds {files}, not README.txt and lumora.exe")
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

    failures += manifest_failures(out, name, texts["FileVersion"], digest)
    for failure in failures:
        print("package:", failure, file=sys.stderr)
    if failures:
        sys.exit(1)
    print(f"package: {name} holds {', '.join(files)}; version {texts['FileVersion']}; {checksum.strip()}")


if __name__ == "__main__":
    main()
