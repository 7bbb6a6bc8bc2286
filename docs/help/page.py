"""Builds the help page the HELP button names, !!!PleaseReadMe!!!.html: the
Russian help (docs/help/ru.md) and the README's user part in English, one
after the other in one page.
  page.py README.md ru.md OUTPUT"""
import html
import sys

import markdown

# The README's sections a user reads, by their headings.
USER_SECTIONS = ("## Using it", "## Where NIK.log goes")


def section(text, heading):
    start = text.index(heading + "\n")
    end = text.find("\n## ", start + len(heading))
    return text[start:end if end >= 0 else len(text)]


def to_html(text):
    return markdown.markdown(text, extensions=["tables"], output_format="html")


def main(readme_path, russian_path, output_path):
    readme = open(readme_path, encoding="utf-8").read()
    english = "# Quillmark — nickname generator\n\n" + "\n".join(section(readme, h) for h in USER_SECTIONS)
    russian = open(russian_path, encoding="utf-8").read()
    page = f"""<!DOCTYPE html>
<html lang="ru">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{html.escape("Quillmark — справка / help")}</title>
<style>
body {{ font-family: sans-serif; max-width: 50em; margin: 1em auto; padding: 0 1em; line-height: 1.45; }}
table {{ border-collapse: collapse; }}
td, th {{ border: 1px solid #999; padding: 0.2em 0.5em; text-align: left; }}
nav {{ margin-bottom: 1em; }}
</style>
</head>
<body>
<nav><a href="#ru" hreflang="ru">Русский</a> · <a href="#en" hreflang="en">English</a></nav>
<section id="ru" lang="ru">
{to_html(russian)}
</section>
<hr>
<section id="en" lang="en">
{to_html(english)}
</section>
</body>
</html>
"""
    with open(output_path, "w", encoding="utf-8") as out:
        out.write(page)


if __name__ == "__main__":
    main(*sys.argv[1:4])
