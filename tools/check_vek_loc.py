#!/usr/bin/env python3
"""Inspect a VEK.LOC file: counts per country, or the records of named cities.

Usage: python3 tools/check_vek_loc.py [VEK.LOC] [CITY ...]
Default file: resources/VEK.LOC next to this tools folder.
"""

import collections
import os
import struct
import sys

RECORD = struct.Struct("<19s3s19s6BxHH3Bx4iB3xi2B2x2i")
FIELDS = ("City State Country LongDeg LongMin LatDeg LatMin St_Longitude DST DstStart DstEnd "
          "North West Method FajrInterval IshaInterval FajrAngle IshaAngle ZuhrDelayOn ZuhrDelay "
          "Hanafi ImsakFixedDuration ImsakDuration Spare").split()


def short(raw):
    return raw[1:1 + raw[0]].decode("cp1256")


def read(path):
    with open(path, "rb") as f:
        data = f.read()
    if len(data) % RECORD.size:
        raise SystemExit(f"{path}: {len(data)} bytes is not a whole number of {RECORD.size}-byte records")
    recs = []
    for off in range(0, len(data), RECORD.size):
        values = list(RECORD.unpack_from(data, off))
        values[:3] = [short(v) for v in values[:3]]
        recs.append(dict(zip(FIELDS, values)))
    return recs


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    args = argv[1:]
    path = os.path.join(here, "..", "resources", "VEK.LOC")
    if args and os.path.isfile(args[0]):
        path = args.pop(0)
    recs = read(path)
    if not recs or recs[0]["City"] != "2222" or recs[0]["State"] != "00":
        raise SystemExit("first record is not the version record")
    locs = recs[1:]
    if args:
        wanted = {a.upper() for a in args}
        for r in locs:
            if r["City"] in wanted:
                print(", ".join(f"{k}={r[k]}" for k in FIELDS))
        return
    per_country = collections.Counter(r["Country"] for r in locs)
    triples = collections.Counter((r["City"], r["Country"], r["State"]) for r in locs)
    print(f"{len(locs)} locations, {len(per_country)} countries, "
          f"{sum(n > 1 for n in triples.values())} repeated name triples")
    for country, n in sorted(per_country.items()):
        print(f"  {country:<18} {n}")


if __name__ == "__main__":
    main(sys.argv)
