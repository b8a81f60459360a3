"""The command line: --version and --help answer and exit before any window
or file, and anything else is refused with status 2."""

import os
import subprocess
import tempfile
import unittest


def zepko(*args):
    """Runs the built game with no display in an empty folder; gives the
    result and what the folder holds afterwards."""
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    with tempfile.TemporaryDirectory() as folder:
        r = subprocess.run([os.path.join(os.environ["ZEPKO_RUN_DIR"], "zepko"), *args],
                           cwd=folder, env=env, capture_output=True, text=True, timeout=60)
        return r, os.listdir(folder)


class Opcoes(unittest.TestCase):
    def test_version_and_help_print_and_exit(self):
        r, left = zepko("--version")
        self.assertEqual((r.returncode, r.stdout, r.stderr, left),
                         (0, f"zepko {os.environ['ZEPKO_VERSION']}\n", "", []))
        r, left = zepko("--help")
        self.assertEqual((r.returncode, r.stderr, left), (0, "", []))
        self.assertTrue(r.stdout.startswith("Usage: zepko"), r.stdout)
        self.assertIn("save.bin", r.stdout)

    def test_anything_else_is_refused_with_one_line(self):
        for args, odd in ((["--bogus"], "--bogus"), (["level3"], "level3"), (["--version", "x"], "x")):
            with self.subTest(args=args):
                r, left = zepko(*args)
                self.assertEqual((r.returncode, r.stdout, left), (2, "", []))
                self.assertEqual(r.stderr.count("\n"), 1, r.stderr)
                self.assertIn(f"'{odd}'", r.stderr)


if __name__ == "__main__":
    unittest.main()
