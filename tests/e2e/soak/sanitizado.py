"""The game built with AddressSanitizer and UBSan, run like the normal one."""

import os
import re
import shutil

from zepko_e2e import Game

# Every report ends the process (-fno-sanitize-recover) and leaves a line
# like one of these on stderr.
REPORT = re.compile(r"ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|"
                    r"SUMMARY: (AddressSanitizer|UndefinedBehaviorSanitizer)")


def sanitizer_options():
    supp = os.environ.get("ZEPKO_LSAN_SUPP", "")
    # Full stacks at each allocation, so that the suppressions can name the
    # library call that made them.
    os.environ["ASAN_OPTIONS"] = "detect_leaks=1:fast_unwind_on_malloc=0:malloc_context_size=20"
    os.environ["LSAN_OPTIONS"] = f"suppressions={supp}" if supp else ""
    os.environ["UBSAN_OPTIONS"] = "print_stacktrace=1"


class SanitizedGame(Game):
    def _lay_out(self):
        super()._lay_out()
        exe = os.environ.get("ZEPKO_ASAN_GAME")
        if not exe or not os.path.isfile(exe):
            raise AssertionError("ZEPKO_ASAN_GAME must name the sanitizer build of the game")
        shutil.copy2(exe, self.path("zepko"))


def reports(stderr):
    """The sanitizer's report lines in a run's stderr."""
    return [line for line in stderr.splitlines() if REPORT.search(line)]
