#!/usr/bin/env python3
"""Reads the application manifest out of a Windows executable as the
side-by-side loader finds it (resource type 24, number 1) and fails unless
it is well-formed XML that names the common controls 6 exactly, asks for no
elevation, and declares per-monitor DPI awareness and Windows 7 to 11.

    check-manifest.py EXE ARCHITECTURE VERSION
"""
import sys
import xml.etree.ElementTree as ElementTree

import pefile

ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
DPI_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
DPI_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
# Windows 7, 8, 8.1 and 10/11, as Microsoft publishes their ids.
SUPPORTED_OS = {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}


def manifest_resource(path):
    """The bytes of resource 24/1 in its first language."""
    try:
        pe = pefile.PE(path, fast_load=True)
    except pefile.PEFormatError as error:
        sys.exit(f"manifest: not a PE file: {error}")
    pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    resources = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in resources.entries if resources else []:
        if kind.id != 24:
            continue
        for number in kind.directory.entries:
            if number.id == 1:
                data = number.directory.entries[0].data.struct
                return pe.get_data(data.OffsetToData, data.Size)
    sys.exit("manifest: no resource 24/1")


def main():
    path, architecture, version = sys.argv[1:4]
    text = manifest_resource(path)
    try:
        root = ElementTree.fromstring(text)
    except ElementTree.ParseError as error:
        sys.exit(f"manifest: not well-formed XML: {error}")
    failures = []

    def expect(what, found, wanted):
        if found != wanted:
            failures.append(f"{what} is {found!r}, not {wanted!r}")

    expect("the root", (root.tag, root.get("manifestVersion")), (ASM_V1 + "assembly", "1.0"))
    own = root.find(ASM_V1 + "assemblyIdentity")
    expect("the program's identity", own is not None and
           {k: own.get(k) for k in ("type", "version", "processorArchitecture")},
           {"type": "win32", "version": version, "processorArchitecture": architecture})
    dependencies = root.findall(f"{ASM_V1}dependency/{ASM_V1}dependentAssembly/{ASM_V1}assemblyIdentity")
    expect("the dependencies", [d.attrib for d in dependencies],
           [{"type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
             "processorArchitecture": architecture, "publicKeyToken": "6595b64144ccf1df", "language": "*"}])
    level = root.find(f"{ASM_V3}trustInfo/{ASM_V3}security/{ASM_V3}requestedPrivileges/"
                      f"{ASM_V3}requestedExecutionLevel")
    expect("the execution level", level is not None and level.attrib,
           {"level": "asInvoker", "uiAccess": "false"})
    systems = root.findall(f"{COMPATIBILITY}compatibility/{COMPATIBILITY}application/{COMPATIBILITY}supportedOS")
    expect("the supported systems", {s.get("Id") for s in systems}, SUPPORTED_OS)
    settings = f"{ASM_V3}application/{ASM_V3}windowsSettings/"
    expect("dpiAware", root.findtext(settings + DPI_2005 + "dpiAware"), "true/pm")
    expect("dpiAwareness", root.findtext(settings + DPI_2016 + "dpiAwareness"), "PerMonitorV2, PerMonitor")

    for failure in failures:
        print("manifest:", failure, file=sys.stderr)
    if failures:
        sys.exit(1)
    print(f"manifest: common controls 6.0.0.0 for {architecture}, asInvoker, per-monitor DPI, Windows 7 to 11")


if __name__ == "__main__":
    main()
