#!/usr/bin/env python3
"""The manual pages of vek and dravolen, as the build fills them in.

They render with man-db's warnings on (the command lintian checks manual pages with) without a
single warning, and the page of vek names every word that the program's command line knows: the
keywords of the switch parser and the words the start-up looks for, so that an argument added to
the program cannot stay undocumented.

Arguments: the source folder, then the built pages (vek.1 first).
"""
import os
import pathlib
import re
import subprocess
import sys
import unittest

SOURCE = pathlib.Path(sys.argv[1])
PAGES = [pathlib.Path(p) for p in sys.argv[2:]]
del sys.argv[1:]


def command_line_words():
    """The words the program's command line knows, read from its sources."""
    words = set()
    parser = (SOURCE / "foundation" / "command_line.cpp").read_text()
    words.update(re.findall(r'\{"([A-Z0-9]+)", &f\.', parser))
    header = (SOURCE / "foundation" / "command_line.h").read_text()
    words.update(w.upper() for w in re.findall(r'k\w+Word = "(\w+)"', header))
    for source in [SOURCE / "foundation" / "command_line.cpp", *(SOURCE / "mainwin").glob("*.cpp")]:
        text = source.read_text()
        words.update(re.findall(r'HasSwitch\(\s*\w+,\s*"([A-Z0-9]+)"\)', text))
        words.update(re.findall(r'ParameterContains\(\s*\w+,\s*\d+,\s*"([A-Z0-9]+)"\)', text))
    return words


class ManualPagesTest(unittest.TestCase):
    def test_the_pages_render_without_warnings(self):
        self.assertEqual(["vek.1", "dravolen.1"], [p.name for p in PAGES])
        # man's sandbox of its filters is no part of what is checked here, and it refuses system
        # calls that a preloaded library (libfaketime) makes.
        env = dict(os.environ, LC_ALL="C.UTF-8", MANROFFSEQ="", MANWIDTH="80",
                   MAN_DISABLE_SECCOMP="1")
        for page in PAGES:
            with self.subTest(page=page.name):
                run = subprocess.run(
                    ["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", str(page)],
                    env=env, capture_output=True, text=True, check=False)
                self.assertEqual(0, run.returncode, run.stderr)
                self.assertEqual("", run.stderr)
                self.assertNotIn("@", page.read_text(), "a placeholder was not filled in")

    def test_the_page_of_vek_names_every_word_of_its_command_line(self):
        words = command_line_words()
        # The parser's table, the words looked for in any argument and the start-up's words.
        self.assertTrue({"FORCEARABIC", "QETESTINGVEK", "INSTALL", "NOSPLASH"} <= words, words)
        page = PAGES[0].read_text()
        documented = set(re.findall(r"^\.(?:B|BR) (.+)$", page, re.MULTILINE))
        documented = {w.strip('"').upper() for line in documented for w in re.split(r'[ ,"]+', line)}
        self.assertEqual(set(), words - documented)


if __name__ == "__main__":
    unittest.main()
