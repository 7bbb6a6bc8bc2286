"""Makes a pseudo-translation of every text of ui/ and runs a test program
with it: each text about 40 % longer and wrapped in ⟦ ⟧, its %1-style places
and line breaks kept. A text shown without the markers did not pass through
tr(); a box too small for the longer text shows a translation will not fit.
  pseudo.py <lupdate> <lrelease> <ui folder> <test program>"""
import math
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

lupdate, lrelease, ui, program = sys.argv[1:5]


def pseudo(source):
    lines = []
    markers = 2  # the markers count towards the longer length
    for line in source.split("\n"):
        # Filler words, so that a wrapped text still has places to wrap.
        extra = round(len(re.sub(r"%\d", "", line)) * 0.4)
        extra, markers = max(0, extra - markers), max(0, markers - extra)
        lines.append(line + "".join(" " + "ẍ" * min(5, extra - k - 1) for k in range(0, extra - 1, 6)))
    return "⟦" + "\n".join(lines) + "⟧"


with tempfile.TemporaryDirectory() as work:
    ts, qm = os.path.join(work, "pseudo.ts"), os.path.join(work, "pseudo.qm")
    root = os.path.dirname(os.path.abspath(ui))
    subprocess.run([lupdate, "-silent", "-locations", "none", "-target-language", "en_US", "-I", root, ui,
                    "-ts", ts], check=True)
    tree = ET.parse(ts)
    for message in tree.getroot().iter("message"):
        translation = message.find("translation")
        translation.attrib.pop("type", None)
        text = pseudo(message.findtext("source"))
        if message.get("numerus") == "yes":
            for form in translation.findall("numerusform"):
                translation.remove(form)
            for _ in range(2):
                ET.SubElement(translation, "numerusform").text = text
        else:
            translation.text = text
    tree.write(ts, encoding="utf-8", xml_declaration=True)
    subprocess.run([lrelease, "-silent", ts, "-qm", qm], check=True)
    sys.exit(subprocess.run([program], env=dict(os.environ, QUILLMARK_PSEUDO_TEXTS=qm)).returncode)
