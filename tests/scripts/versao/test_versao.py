"""scripts/version in a throw-away repository: only the commit that dates
NEWS.md's newest heading is named for the release; the commits before and
after it are snapshots that Debian sorts before and after it."""

import os
import shutil
import subprocess
import tempfile
import unittest

ENV = dict(os.environ, GIT_AUTHOR_NAME="z", GIT_AUTHOR_EMAIL="z@example.org",
           GIT_COMMITTER_NAME="z", GIT_COMMITTER_EMAIL="z@example.org",
           GIT_COMMITTER_DATE="2026-12-08T23:30:00-03:00")


class Versao(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="zepko-versao-")
        os.mkdir(os.path.join(self.root, "scripts"))
        shutil.copy(os.environ["ZEPKO_VERSION_SCRIPT"], os.path.join(self.root, "scripts"))
        self.write("CMakeLists.txt", "project(zepko VERSION 1.1.0 LANGUAGES C CXX)\n")
        self.git("init", "-q")

    def tearDown(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def write(self, name, text):
        with open(os.path.join(self.root, name), "w", encoding="utf-8") as f:
            f.write(text)

    def git(self, *args):
        return subprocess.run(["git", *args], cwd=self.root, env=ENV, check=True,
                              capture_output=True, text=True).stdout.strip()

    def commit(self, heading):
        self.write("NEWS.md", f"# News\n\n{heading}\n\n## 1.0.0 — 2026-11-30\n")
        self.git("add", "-A")
        self.git("commit", "-q", "-m", heading)
        return self.git("rev-parse", "--short=7", "HEAD")

    def version(self, *args):
        return subprocess.run(["sh", "scripts/version", *args], cwd=self.root, check=True,
                              capture_output=True, text=True).stdout.strip()

    def test_only_the_dating_commit_is_the_release(self):
        # The commit's day in UTC, not in the committer's time zone.
        head = self.commit("## 1.1.0 — unreleased")
        self.assertEqual(self.version(), f"1.1.0~git20261209.{head}")
        self.assertEqual(self.version("--date"), "2026-12-09")
        self.commit("## 1.1.0 — 2026-12-08")
        self.assertEqual(self.version(), "1.1.0")
        self.assertEqual(self.version("--date"), "2026-12-08")
        self.write("README.md", "later\n")
        head = self.commit("## 1.1.0 — 2026-12-08")
        self.assertEqual(self.version(), f"1.1.0+git20261209.{head}")


if __name__ == "__main__":
    unittest.main()
