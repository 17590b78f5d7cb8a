#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks Doxygen's XML output of the API reference: every public class and struct has an
overview, that is a brief description, an example (a code block) and a paragraph "Compared with
Qt" (@qtdiff). Prints each one that lacks a part and exits 1 if any does.
Usage: check_overviews.py XML_DIR"""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path


def text(element):
    return "".join(element.itertext()).strip() if element is not None else ""


def missing_parts(compound):
    missing = []
    if not text(compound.find("briefdescription")):
        missing.append("a brief description")
    detailed = compound.find("detaileddescription")
    if detailed is None or detailed.find(".//programlisting") is None:
        missing.append("an example")
    titles = [] if detailed is None else [text(t) for t in detailed.iter("title")]
    if "Compared with Qt" not in titles:
        missing.append("a paragraph \"Compared with Qt\"")
    return missing


def main(xml_dir):
    xml_dir = Path(xml_dir)
    faults = 0
    classes = 0
    for entry in ET.parse(xml_dir / "index.xml").getroot().iter("compound"):
        if entry.get("kind") not in ("class", "struct"):
            continue
        classes += 1
        compound = ET.parse(xml_dir / (entry.get("refid") + ".xml")).getroot().find("compounddef")
        # A class's private helpers are no part of the reference.
        if compound.get("prot") == "private":
            continue
        missing = missing_parts(compound)
        if missing:
            location = compound.find("location")
            where = location.get("file") if location is not None else "?"
            print(f"{where}: {text(compound.find('compoundname'))} lacks {', '.join(missing)}")
            faults += 1
    if classes == 0:
        print(f"no classes in {xml_dir}")
        return 1
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
