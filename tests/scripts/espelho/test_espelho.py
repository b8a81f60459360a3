"""scripts/debian-root mirror on the apt sources of ordinary machines: it
takes Debian's own archive and security entries, whichever format lists
them, and never a third-party repository's."""

import os
import shutil
import subprocess
import tempfile
import unittest

DEBIAN12 = """\
#deb cdrom:[Debian GNU/Linux 12.8.0 _Bookworm_ - Official amd64 DVD Binary-1]/ bookworm main

deb http://deb.debian.org/debian/ bookworm main non-free-firmware
deb-src http://deb.debian.org/debian/ bookworm main non-free-firmware

deb http://security.debian.org/debian-security bookworm-security main non-free-firmware
deb-src http://security.debian.org/debian-security bookworm-security main non-free-firmware

# bookworm-updates, to get updates before a point release is made;
deb http://deb.debian.org/debian/ bookworm-updates main non-free-firmware
deb-src http://deb.debian.org/debian/ bookworm-updates main non-free-firmware
"""

DEBIAN13 = """\
Types: deb deb-src
URIs: https://deb.debian.org/debian
Suites: trixie trixie-updates
Components: main non-free-firmware
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb deb-src
URIs: https://security.debian.org/debian-security
Suites: trixie-security
Components: main non-free-firmware
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
"""

VENDOR_LIST = ("deb [arch=amd64 signed-by=/usr/share/keyrings/vendor.gpg] "
               "https://dl.vendor.example/linux/deb/ stable main\n")
VENDOR_SOURCES = """\
Types: deb
URIs: https://apt.vendor.example/debian
Suites: stable
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBGWBp9gBEAC
 -----END PGP PUBLIC KEY BLOCK-----
"""
MIRROR_LIST = "deb [ arch=amd64 ] http://mirror.example.edu/pub/debian trixie main contrib\n"


class Espelho(unittest.TestCase):
    def setUp(self):
        self.etc = tempfile.mkdtemp(prefix="zepko-espelho-")
        os.mkdir(os.path.join(self.etc, "sources.list.d"))
        self.config = os.path.join(self.etc, "apt.conf")
        with open(self.config, "w") as f:
            f.write(f'Dir::Etc "{self.etc}";\n')

    def tearDown(self):
        shutil.rmtree(self.etc, ignore_errors=True)

    def mirrors(self, **files):
        """The archive and security mirrors picked from these files, named
        relative to /etc/apt ("sources.list", "sources.list.d/x.sources")."""
        for name, text in files.items():
            with open(os.path.join(self.etc, name.replace("__", "/")), "w") as f:
                f.write(text)
        out = subprocess.run(["sh", os.environ["ZEPKO_DEBIAN_ROOT"], "mirror"],
                             env=dict(os.environ, APT_CONFIG=self.config),
                             check=True, capture_output=True, text=True).stdout
        return dict(line.split(" ", 1) for line in out.splitlines())

    def test_debian_sources_in_either_format(self):
        self.assertEqual(self.mirrors(**{"sources.list": DEBIAN12}),
                         {"archive": "http://deb.debian.org/debian",
                          "security": "http://security.debian.org/debian-security"})
        # Both formats at once: the one-line file comes first, as in apt.
        self.assertEqual(self.mirrors(**{"sources.list.d__debian.sources": DEBIAN13}),
                         {"archive": "http://deb.debian.org/debian",
                          "security": "http://security.debian.org/debian-security"})
        os.remove(os.path.join(self.etc, "sources.list"))
        self.assertEqual(self.mirrors(),
                         {"archive": "https://deb.debian.org/debian",
                          "security": "https://security.debian.org/debian-security"})

    def test_third_party_entries_first_are_passed_over(self):
        self.assertEqual(self.mirrors(**{"sources.list": VENDOR_LIST + MIRROR_LIST,
                                         "sources.list.d__a-vendor.sources": VENDOR_SOURCES}),
                         {"archive": "http://mirror.example.edu/pub/debian", "security": ""})
        # Nothing of Debian's: no archive rather than the vendor's.
        self.assertEqual(self.mirrors(**{"sources.list": VENDOR_LIST})["archive"], "")


if __name__ == "__main__":
    unittest.main()
