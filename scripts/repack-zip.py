#!/usr/bin/env python3
"""Writes a release zip again so that the same files give the same bytes
wherever and whenever it is built: its entries in name order, each with the
release's time, the same permissions and the same compression; then the
SHA-256 beside it as `sha256sum -c` reads it.

    repack-zip.py ZIP EPOCH

EPOCH is the release's time in seconds (the commit's, or
SOURCE_DATE_EPOCH); empty gives the zip format's first day.
"""
import hashlib
import pathlib
import sys
import time
import zipfile

# The earliest time a zip entry can carry.
ZIP_EPOCH = (1980, 1, 1, 0, 0, 0)


def entry_time(epoch):
    if not epoch:
        return ZIP_EPOCH
    return max(ZIP_EPOCH, time.gmtime(int(epoch))[:6])


def main():
    path, epoch = pathlib.Path(sys.argv[1]), sys.argv[2]
    with zipfile.ZipFile(path) as built:
        files = {info.filename: built.read(info) for info in built.infolist() if not info.is_dir()}
    stamp = entry_time(epoch)
    with zipfile.ZipFile(path, "w") as package:
        for name in sorted(files):
            info = zipfile.ZipInfo(name, stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix, so that the permissions below are read
            info.external_attr = 0o100644 << 16
            package.writestr(info, files[name], compresslevel=9)
    digest = hashlib.sha256(path.read_bytes()).hexdigest()
    path.with_name(path.name + ".sha256").write_text(f"{digest}  {path.name}\n", encoding="ascii")


if __name__ == "__main__":
    main()
