"""zip.py ZIP DATE FOLDER: packs FOLDER (below the current folder) into ZIP
the same way every time: entries in sorted order, each dated DATE
(YYYY-MM-DD, midnight), no owner, mode 755 for programs and 644 for the
rest, the best deflate level."""

import os
import sys
import zipfile

out, date, top = sys.argv[1:]
when = tuple(int(n) for n in date.split("-")) + (0, 0, 0)

entries = []
for folder, _, files in os.walk(top):
    entries.append(folder + "/")
    entries += [os.path.join(folder, f) for f in files]

with zipfile.ZipFile(out, "w") as z:
    for name in sorted(entries):
        info = zipfile.ZipInfo(name, when)
        info.create_system = 3  # Unix, so the modes below are read
        if name.endswith("/"):
            info.external_attr = 0o40755 << 16 | 0x10  # and MS-DOS's folder bit
            z.writestr(info, b"")
            continue
        mode = 0o755 if os.access(name, os.X_OK) else 0o644
        info.external_attr = (0o100000 | mode) << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(name, "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
