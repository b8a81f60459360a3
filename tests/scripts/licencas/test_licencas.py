"""packaging/copyright (what every download carries) and debian/copyright,
where the tree has them: DEP-5 paragraphs in which every licence named has
its whole text once, the same text in both files, and Expat's the one of
LICENSE."""

import os
import re
import unittest

SOURCE = os.environ["ZEPKO_SOURCE_DIR"]
FILES = [f for f in ("packaging/copyright", "debian/copyright")
         if os.path.exists(os.path.join(SOURCE, f))]


def paragraphs(path):
    """Each paragraph as {field: (first line, continuation lines)}."""
    with open(os.path.join(SOURCE, path), encoding="utf-8") as f:
        blocks = re.split(r"\n\s*\n", f.read().strip("\n"))
    result = []
    for block in blocks:
        fields, name = {}, None
        for line in block.split("\n"):
            if line.startswith((" ", "\t")):
                fields[name][1].append(line.strip())
            else:
                name, _, value = line.partition(":")
                if name in fields:
                    raise AssertionError(f"{path}: {name} twice in a paragraph")
                fields[name] = (value.strip(), [])
        result.append(fields)
    return result


def licence_texts(path):
    """{short name: text} of the stand-alone License paragraphs, after
    checking the file's shape."""
    header, *rest = paragraphs(path)
    assert header["Format"][0].startswith("https://www.debian.org/doc/packaging-manuals/copyright-format/1.0"), path
    texts, named = {}, set()
    for p in rest:
        assert "License" in p, f"{path}: a paragraph without License: {p}"
        name, text = p["License"]
        if "Files" in p:
            assert p.get("Copyright", ("",))[0], f"{path}: Files: {p['Files'][0]} without Copyright"
            named.update(re.split(r"\s+(?:and|or)\s+", name))
        else:
            assert text, f"{path}: License: {name} without its text"
            assert name not in texts, f"{path}: License: {name} twice"
            texts[name] = "\n".join(text)
    missing = named - texts.keys()
    assert not missing, f"{path}: no text for {sorted(missing)}"
    return texts


class Licencas(unittest.TestCase):
    def test_every_licence_named_has_its_whole_text(self):
        self.assertIn("packaging/copyright", FILES)
        seen = {}
        for path in FILES:
            for name, text in licence_texts(path).items():
                self.assertEqual(seen.setdefault(name, text), text, f"{path}: License: {name}")
        with open(os.path.join(SOURCE, "LICENSE"), encoding="utf-8") as f:
            mit = " ".join(f.read().split())
        expat = " ".join(w for w in seen["Expat"].split() if w != ".")
        self.assertTrue(expat.startswith("Permission is hereby granted"))
        self.assertTrue(expat.endswith("DEALINGS IN THE SOFTWARE."))
        self.assertIn(expat, mit)


if __name__ == "__main__":
    unittest.main()
