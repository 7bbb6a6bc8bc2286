"""Builds the help page the HELP button names, !!!PleaseReadMe!!!.html, from
the help in English (docs/help/en.md) and in Russian (docs/help/ru.md): both
halves in one page, links to each at its top. Without script (a text
browser) English comes first; in a browser whose first language is Russian
a line of script puts the Russian half first.
  page.py en.md ru.md OUTPUT"""
import html
import sys

import markdown


def to_html(path):
    text = open(path, encoding="utf-8").read()
    return markdown.markdown(text, extensions=["tables", "attr_list"], output_format="html")


# Russian first where the browser's first language of the two is Russian,
# as the program chooses its own.
RUSSIAN_FIRST = """
const first = (navigator.languages || [navigator.language]).find(l => /^(ru|en)\\b/i.test(l));
if (first && /^ru/i.test(first)) {
  const russian = document.getElementById("ru");
  russian.parentNode.insertBefore(russian, document.getElementById("en"));
  document.documentElement.lang = "ru";
}
"""


def main(english_path, russian_path, output_path):
    page = f"""<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{html.escape("Quillmark — help / справка")}</title>
<style>
body {{ font-family: sans-serif; max-width: 50em; margin: 1em auto; padding: 0 1em; line-height: 1.45; }}
table {{ border-collapse: collapse; }}
td, th {{ border: 1px solid #999; padding: 0.2em 0.5em; text-align: left; }}
img {{ max-width: 100%; }}
nav {{ margin-bottom: 1em; }}
</style>
</head>
<body>
<nav><a href="#en" hreflang="en" lang="en">English</a> · <a href="#ru" hreflang="ru" lang="ru">Русский</a></nav>
<main>
<section id="en" lang="en">
{to_html(english_path)}
</section>
<section id="ru" lang="ru">
{to_html(russian_path)}
</section>
</main>
<script>{RUSSIAN_FIRST}</script>
</body>
</html>
"""
    with open(output_path, "w", encoding="utf-8") as out:
        out.write(page)


if __name__ == "__main__":
    main(*sys.argv[1:4])
