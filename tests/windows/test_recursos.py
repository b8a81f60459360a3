"""The exe in the Windows zip carries what Explorer shows of a program: its
icon and its version information, read back with icoutils."""

import os
import re
import shutil
import struct
import subprocess
import tempfile
import unittest
import zipfile

FIXED_SIGNATURE = 0xFEEF04BD  # starts VS_FIXEDFILEINFO


def version_info(raw):
    """(fixed file version as 4 numbers, {name: text}) of a raw VS_VERSIONINFO."""
    strings = {}
    fixed = None

    def node(at, depth):
        nonlocal fixed
        length, value_length, _ = struct.unpack_from("<HHH", raw, at)
        k = at + 6
        while raw[k:k + 2] != b"\0\0":
            k += 2
        key = raw[at + 6:k].decode("utf-16-le")
        value = (k + 2 + 3) & ~3
        if depth == 0:
            signature, _, ms, ls = struct.unpack_from("<IIII", raw, value)
            if signature == FIXED_SIGNATURE:
                fixed = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
            size = value_length
        elif depth == 3:  # a String of a StringTable: the length counts UTF-16 units
            strings[key] = raw[value:value + 2 * value_length].decode("utf-16-le").rstrip("\0")
            size = 2 * value_length
        else:
            size = value_length
        child = (value + size + 3) & ~3
        while child < at + length:
            child = node(child, depth + 1)
        return (at + length + 3) & ~3

    node(0, 0)
    return fixed, strings


class Recursos(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="zepko-exe-")
        with zipfile.ZipFile(os.environ["ZEPKO_ZIP"]) as z:
            cls.exe = z.extract("zepko/zepko.exe", cls.tmp)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def test_version_is_the_projects(self):
        version = os.environ["ZEPKO_VERSION"]
        raw = subprocess.run(["wrestool", "-x", "--raw", "--type=version", self.exe],
                             capture_output=True, check=True).stdout
        fixed, strings = version_info(raw)
        # A snapshot's numbers are those of the release it leads to or follows.
        numbers = [int(n) for n in re.match(r"[0-9.]*[0-9]", version).group().split(".")]
        self.assertEqual(fixed, tuple(numbers + [0] * (4 - len(numbers))))
        self.assertEqual(strings.get("FileVersion"), version)
        self.assertEqual(strings.get("ProductVersion"), version)
        self.assertEqual(strings.get("ProductName"), "Zepko")

    def test_icon_in_the_sizes_windows_shows(self):
        # By this name the library puts it on the window too.
        listing = subprocess.run(["wrestool", "-l", "--type=group_icon", self.exe],
                                 capture_output=True, text=True, check=True).stdout
        self.assertIn("--name='allegro_icon'", listing.lower())
        ico = os.path.join(self.tmp, "zepko.ico")
        subprocess.run(["wrestool", "-x", "--type=group_icon", "-o", ico, self.exe], check=True)
        listing = subprocess.run(["icotool", "-l", ico], capture_output=True, text=True,
                                 check=True).stdout
        sizes = {int(f.split("=")[1]) for f in listing.split() if f.startswith("--width=")}
        self.assertLessEqual({16, 32, 48, 256}, sizes)


if __name__ == "__main__":
    unittest.main()
