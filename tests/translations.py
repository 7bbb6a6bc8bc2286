"""Fails when a translation lags behind the code: runs lupdate over ui/ into a
copy of each quillmark_<code>.ts and reports every text that is new
(unfinished), untranslated, gone from the code, whose translation drops a
%1-style place of the source, or whose places no //: note explains. The source
language's own file holds only the plural forms of its counts.
  translations.py <lupdate> <ui folder> <ts file>..."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

lupdate, ui, files = sys.argv[1], sys.argv[2], sys.argv[3:]
faults = []
with tempfile.TemporaryDirectory() as work:
    for original in files:
        copy = os.path.join(work, os.path.basename(original))
        shutil.copyfile(original, copy)
        # The includes are followed from the project root, so that a class is known
        # where its functions are defined.
        root = os.path.dirname(os.path.abspath(ui))
        tree = ET.parse(original).getroot()
        plurals = ["-pluralonly"] if tree.get("language") == tree.get("sourcelanguage") else []
        subprocess.run([lupdate, "-silent", "-locations", "none", *plurals, "-I", root, ui, "-ts", copy],
                       check=True)
        for context in ET.parse(copy).getroot().iter("context"):
            name = context.findtext("name")
            for message in context.iter("message"):
                source = message.findtext("source")
                translation = message.find("translation")
                kind = translation.get("type")
                # A count's text has a form for each plural of the language.
                forms = [form.text or "" for form in translation.iter("numerusform")]
                texts = forms or [translation.text or ""]
                where = f"{os.path.basename(original)}: {name}: {source!r}"
                if re.search(r"%L?(\d|n)", source) and not message.findtext("extracomment"):
                    faults.append(f"{where} has places but no //: note saying what fills them")
                if kind in ("vanished", "obsolete"):
                    faults.append(f"{where} is no longer in the code")
                elif kind == "unfinished" or not all(texts):
                    faults.append(f"{where} has no finished translation")
                for text in texts:
                    if sorted(set(re.findall(r"%\d", source))) != sorted(set(re.findall(r"%\d", text))):
                        faults.append(f"{where} -> {text!r} does not keep the source's places")
print(*faults, f"{len(faults)} texts need the translator", sep="\n")
sys.exit(1 if faults else 0)
