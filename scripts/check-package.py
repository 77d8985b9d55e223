#!/usr/bin/env python3
"""Makes the release package into a directory of its own and fails unless
its name, its files, its checksum and the version record of the lumora.exe
inside it agree.

    check-package.py CPACK CPACK_CONFIG BUILT_EXE PLATFORM OUT_DIR
"""
import hashlib
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import zipfile


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

    for failure in failures:
        print("package:", failure, file=sys.stderr)
    if failures:
        sys.exit(1)
    print(f"package: {name} holds {', '.join(files)}; version {texts['FileVersion']}; {checksum.strip()}")


if __name__ == "__main__":
    main()
