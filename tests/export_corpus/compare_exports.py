#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Runs the seeded export corpus and checks one SHA-256 per export against the committed
digests. With a second pair of libraries (--base-tarnwick, --base-ufl), it also prints the
first call of each export whose output differs between the two builds."""
import argparse
import hashlib
import subprocess
import sys
from collections import OrderedDict


def run_corpus(driver, tarnwick, ufl):
    out = subprocess.run([driver, tarnwick, ufl], check=True, capture_output=True).stdout
    calls = OrderedDict()
    for line in out.decode("ascii").splitlines():
        calls.setdefault(line.split("\t", 1)[0], []).append(line)
    return calls


def digests_of(calls):
    return OrderedDict((name, hashlib.sha256("\n".join(lines).encode()).hexdigest()) for name, lines in calls.items())


def read_digests(path):
    result = OrderedDict()
    with open(path, encoding="ascii") as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                name, digest, count = line.split()
                result[name] = (digest, int(count))
    return result


def first_differences(calls, base_calls):
    for name, lines in calls.items():
        base = base_calls.get(name, [])
        for i, (now, before) in enumerate(zip(lines, base)):
            if now != before:
                print(f"{name}: call {i + 1} differs\n  before: {before}\n  now:    {now}")
                break
        else:
            if len(lines) != len(base):
                print(f"{name}: {len(base)} calls before, {len(lines)} now")


def main():
    p = argparse.ArgumentParser(description=__doc__)
    p.add_argument("--driver", required=True)
    p.add_argument("--tarnwick", required=True)
    p.add_argument("--ufl", required=True)
    p.add_argument("--digests", required=True)
    p.add_argument("--record", action="store_true", help="write the digests instead of checking them")
    p.add_argument("--base-tarnwick")
    p.add_argument("--base-ufl")
    a = p.parse_args()

    calls = run_corpus(a.driver, a.tarnwick, a.ufl)
    digests = digests_of(calls)
    total = sum(len(v) for v in calls.values())
    if a.record:
        with open(a.digests, "w", encoding="ascii") as f:
            f.write("# export  SHA-256 of its corpus lines  calls (tests/export_corpus/compare_exports.py)\n")
            for name, digest in digests.items():
                f.write(f"{name} {digest} {len(calls[name])}\n")
        print(f"recorded {len(digests)} exports, {total} calls")
        return 0

    expected = read_digests(a.digests)
    failed = [n for n in expected.keys() | digests.keys()
              if expected.get(n, ("", 0))[0] != digests.get(n)]
    for name in sorted(failed):
        print(f"{name}: digest {digests.get(name, 'missing')}, expected {expected.get(name, ('missing', 0))[0]}")
    if failed and a.base_tarnwick and a.base_ufl:
        first_differences(calls, run_corpus(a.driver, a.base_tarnwick, a.base_ufl))
    print(f"{len(digests) - len(failed)} passed, {len(failed)} failed ({total} calls)")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
