"""scripts/version in a throw-away repository: only the commit that dates
NEWS.md's newest heading is named for the release; the commits before and
after it are snapshots that Debian sorts before and after it, and in commit
order. A clone that cannot prove it holds the release, a tree with changes
beside its commit, a release tarball imported into git and a tree without
git are each named for what they hold, or refused."""

import os
import shutil
import subprocess
import tempfile
import unittest

ENV = {k: v for k, v in os.environ.items() if k != "ZEPKO_VERSION"}
ENV.update(GIT_AUTHOR_NAME="z", GIT_AUTHOR_EMAIL="z@example.org",
           GIT_COMMITTER_NAME="z", GIT_COMMITTER_EMAIL="z@example.org",
           GIT_COMMITTER_DATE="2026-12-08T23:30:00-03:00")
UNRELEASED = "## 1.1.0 — unreleased"
RELEASED = "## 1.1.0 — 2026-12-08"


class Versao(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="zepko-versao-")
        os.mkdir(os.path.join(self.root, "scripts"))
        for script in ("version", "dist"):
            shutil.copy(os.path.join(os.environ["ZEPKO_SCRIPTS"], script),
                        os.path.join(self.root, "scripts"))
        self.write("CMakeLists.txt", "project(zepko VERSION 1.1.0 LANGUAGES C CXX)\n")
        self.git("init", "-q", "-b", "main")

    def tearDown(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def write(self, name, text, folder=None):
        with open(os.path.join(folder or self.root, name), "w", encoding="utf-8") as f:
            f.write(text)

    def git(self, *args, when="2026-12-08T23:30:00-03:00"):
        return subprocess.run(["git", *args], cwd=self.root, env=dict(ENV, GIT_COMMITTER_DATE=when),
                              check=True, capture_output=True, text=True).stdout.strip()

    def commit(self, heading, **kw):
        self.write("NEWS.md", f"# News\n\n{heading}\n\n## 1.0.0 — 2026-11-30\n")
        self.git("add", "-A")
        self.git("commit", "-q", "--allow-empty", "-m", heading, **kw)
        return self.git("rev-parse", "--short=7", "HEAD")

    def run_script(self, *args, folder=None, script="version", **env):
        return subprocess.run(["sh", f"scripts/{script}", *args], cwd=folder or self.root,
                              env=dict(ENV, **env), capture_output=True, text=True)

    def version(self, *args, **kw):
        res = self.run_script(*args, **kw)
        self.assertEqual(res.returncode, 0, res.stderr)
        return res.stdout.strip()

    def test_only_the_dating_commit_is_the_release(self):
        # The commit's time in UTC, not in the committer's time zone.
        head = self.commit(UNRELEASED)
        self.assertEqual(self.version(), f"1.1.0~git20261209.023000.{head}")
        self.assertEqual(self.version("--date"), "2026-12-09")
        self.commit(RELEASED)
        self.assertEqual(self.version(), "1.1.0")
        self.assertEqual(self.version("--date"), "2026-12-08")
        self.write("README.md", "later\n")
        head = self.commit(RELEASED)
        self.assertEqual(self.version(), f"1.1.0+git20261209.023000.{head}")
        # A later commit that dates the heading again is no second release.
        head = self.commit("## 1.1.0 — 2026-12-09")
        self.assertEqual(self.version(), f"1.1.0+git20261209.023000.{head}")

    def test_a_commit_that_cannot_show_it_dated_the_heading_is_a_snapshot(self):
        self.commit(UNRELEASED)
        self.git("checkout", "-q", "-b", "release")
        self.commit(RELEASED)
        # A clone of one commit: is its missing parent dated or not?
        shallow = os.path.join(self.root, "shallow")
        subprocess.run(["git", "clone", "-q", "--depth", "1", f"file://{self.root}", shallow],
                       check=True, env=ENV)
        self.assertRegex(self.version(folder=shallow), r"^1\.1\.0\+git20261209\.023000\.[0-9a-f]{7}$")
        shutil.rmtree(shallow)
        # A merge whose first parent predates the release, the second dated it.
        self.git("checkout", "-q", "main")
        self.git("merge", "-q", "--no-ff", "-m", "merge", "release")
        self.assertRegex(self.version(), r"^1\.1\.0\+git")

    def test_snapshots_of_one_day_sort_in_commit_order(self):
        self.commit(UNRELEASED, when="2026-12-08T09:00:00Z")
        earlier = self.version()
        # A later commit whose hash sorts lower: the time decides.
        for n in range(64):
            self.write("README.md", f"{n}\n")
            self.commit(UNRELEASED, when="2026-12-08T17:00:00Z")
            later = self.version()
            if later.rsplit(".", 1)[1] < earlier.rsplit(".", 1)[1]:
                break
            self.git("reset", "-q", "--hard", "HEAD^")
        self.assertLess(later.rsplit(".", 1)[1], earlier.rsplit(".", 1)[1])
        self.assertEqual(subprocess.run(["dpkg", "--compare-versions", later, "gt", earlier]).returncode, 0)

    def test_changes_beside_the_commit_are_marked_and_never_packed(self):
        self.commit(RELEASED)
        self.write("CMakeLists.txt", "project(zepko VERSION 1.1.0 LANGUAGES C CXX)\n# edited\n")
        name = self.version()
        self.assertRegex(name, r"^1\.1\.0\+git.*\.dirty$")
        res = self.run_script(os.path.join(self.root, "dist", f"zepko-{name}.tar.gz"), script="dist")
        self.assertNotEqual(res.returncode, 0)
        self.assertIn("uncommitted changes", res.stderr)

    def test_tarball_version_then_debian_changelog_then_git(self):
        self.commit(UNRELEASED)
        # A release tarball imported into a packaging repository.
        self.write(".tarball-version", "1.1.0\n")
        self.git("add", "-A")
        self.git("commit", "-q", "-m", "import")
        self.assertEqual(self.version(), "1.1.0")
        res = self.run_script(ZEPKO_VERSION="1.1.0+git20261209.023000.abc1234")
        self.assertNotEqual(res.returncode, 0)
        # A `git archive` of the release: neither git nor .tarball-version.
        self.commit(RELEASED)
        tree = tempfile.mkdtemp(dir=self.root)
        archive = subprocess.run(["git", "archive", "HEAD"], cwd=self.root, check=True,
                                 capture_output=True).stdout
        subprocess.run(["tar", "-xm", "-C", tree], input=archive, check=True)
        os.remove(os.path.join(tree, ".tarball-version"))
        res = self.run_script(folder=tree)
        self.assertNotEqual(res.returncode, 0)
        self.assertIn("no version", res.stderr)
        self.assertEqual(self.version(folder=tree, ZEPKO_VERSION="1.1.0"), "1.1.0")
        self.assertEqual(self.version("--date", folder=tree, ZEPKO_VERSION="1.1.0"), "2026-12-08")


if __name__ == "__main__":
    unittest.main()
