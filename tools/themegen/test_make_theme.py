#!/usr/bin/env python3
"""Checks of make_theme.py that need no Windows: it refuses bad tables, and its key hash is the
theme store's (the same values the store's own tests use)."""
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_theme  # noqa: E402

GOOD_KEYS = "key Global PremultiplyImages int 1 all\n" + "".join(
    "key %s %s colour 1,2,3 all\n" % (section, key)
    for section, key in [("Toolbar", "ToolbarFaceLight"), ("Toolbar", "ToolbarFaceDark"),
                         ("Toolbar", "ToolbarFace"), ("Toolbar", "ToolbarFaceShadow"), ("Ribbon", "RibbonText"),
                         ("Window", "WindowFrame"), ("Window", "BorderActive1"), ("Window", "BorderActive3"),
                         ("Ribbon", "RibbonFace"), ("Window", "HighlightSelectedLight"),
                         ("Window", "HighlightSelectedDark"), ("Window", "HighlightSelectedBorder"),
                         ("Window", "HighlightPressedLight"), ("Window", "HighlightPressedDark"),
                         ("Window", "HighlightPressedBorder"), ("Window", "HighlightCheckedLight"),
                         ("Window", "HighlightCheckedDark"), ("Window", "HighlightCheckedBorder"),
                         ("Window", "HighlightChecked"), ("Window", "HighlightPressed")])


class MakeThemeTest(unittest.TestCase):
    def run_table(self, text):
        with tempfile.TemporaryDirectory() as work:
            table = os.path.join(work, "table.txt")
            with open(table, "w") as f:
                f.write(text)
            result = subprocess.run([sys.executable, os.path.join(HERE, "make_theme.py"), os.path.join(work, "out"),
                                     "--table", table], capture_output=True, text=True)
            return result.returncode, result.stderr

    def test_a_good_table_is_written(self):
        code, err = self.run_table(GOOD_KEYS + "image SMALL 2 4 4 1,1,1,1 keyed face\n")
        self.assertEqual(0, code, err)

    def test_image_over_512_fails(self):
        code, err = self.run_table(GOOD_KEYS + "image TALL 3 10 200 0,0,0,0 alpha band\n")
        self.assertEqual(1, code)
        self.assertIn("at most 512", err)

    def test_image_without_a_drawing_fails(self):
        code, err = self.run_table(GOOD_KEYS + "image ODD 1 4 4 0,0,0,0 alpha nosuchstyle\n")
        self.assertEqual(1, code)
        self.assertIn("no drawing", err)

    def test_two_keys_with_one_hash_fail(self):
        code, err = self.run_table(GOOD_KEYS + "key Test AB int 1 all\nkey Test B! int 2 all\n")
        self.assertEqual(1, code)
        self.assertIn("one key hash", err)

    def test_an_image_listed_twice_fails(self):
        code, err = self.run_table(GOOD_KEYS + "image A 1 4 4 0,0,0,0 alpha band\nimage A 1 4 4 0,0,0,0 alpha band\n")
        self.assertEqual(1, code)
        self.assertIn("twice", err)

    def test_image_name_with_other_characters_fails(self):
        code, err = self.run_table(GOOD_KEYS + "image BAD_NAME 1 4 4 0,0,0,0 alpha band\n")
        self.assertEqual(1, code)
        self.assertIn("letters and digits", err)

    def test_unreadable_line_fails(self):
        code, err = self.run_table(GOOD_KEYS + "picture X\n")
        self.assertEqual(1, code)

    def test_hash_is_the_stores(self):
        self.assertEqual((65 * 33 + 66) * 33 + 67, make_theme.hash_ini_key("a", "bc"))
        self.assertEqual(make_theme.hash_ini_key("S", "AB"), make_theme.hash_ini_key("S", "B!"))
        self.assertEqual(make_theme.hash_ini_key("Toolbar", "MenuBarText"),
                         make_theme.hash_ini_key("TOOLBAR", "menubartext"))

    def test_rules_place_keys(self):
        entry = {"tables": "black"}
        self.assertTrue(make_theme.key_in_table(entry, "Black"))
        self.assertFalse(make_theme.key_in_table(entry, "Silver"))
        self.assertFalse(make_theme.key_in_table({"tables": "not-aqua"}, "Aqua"))
        self.assertFalse(make_theme.key_in_table({"tables": "none"}, "Blue"))


if __name__ == "__main__":
    unittest.main()
