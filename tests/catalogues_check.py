#!/usr/bin/env python3
"""Every catalogue translates every text the sources hold.

    catalogues_check.py LUPDATE SOURCE_DIR TS_FILE...

Copies the catalogues, lets lupdate bring the copies up to date with the sources (adding new
texts as unfinished, dropping texts no longer there), and fails when a copy holds a text without
a finished translation, or differs from the catalogue in the texts it holds: a visible text
added to a window without its translations, or a catalogue not updated after a change.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

FOLDERS = ["bar", "tune", "widgets", "platform", "common"]


def texts(path):
    found = {}
    for message in ET.parse(path).iter("message"):
        translation = message.find("translation")
        finished = translation is not None and translation.get("type") is None and translation.text
        found[message.find("source").text] = bool(finished)
    return found


def main():
    lupdate, source_dir, catalogues = sys.argv[1], sys.argv[2], sys.argv[3:]
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        for catalogue in catalogues:
            copy = os.path.join(scratch, os.path.basename(catalogue))
            shutil.copy(catalogue, copy)
            subprocess.run([lupdate, "-silent", "-locations", "none", "-no-obsolete"] +
                           [os.path.join(source_dir, f) for f in FOLDERS] + ["-ts", copy],
                           check=True)
            before, after = texts(catalogue), texts(copy)
            name = os.path.basename(catalogue)
            for text, finished in sorted(after.items()):
                if not finished:
                    failures.append(f"{name}: no translation for {text!r}")
            for text in sorted(set(before) - set(after)):
                failures.append(f"{name}: {text!r} is no longer in the sources")
    for failure in failures:
        print(failure)
    print(f"{len(catalogues)} catalogues, {len(failures)} texts to put right")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
