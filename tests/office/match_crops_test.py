#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""office_proof.match_crops: the symbols found on printed pages paired with the placed ones by
their size, so that a cut or merged symbol is named and the symbols after it still count."""

import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from office_proof import Symbol, match_crops  # noqa: E402

# Three symbols as drawn at 300 dpi: (w, h) in pixels.
SIZES = {(0, 300): (400, 150), (1, 300): (1200, 150), (2, 300): (300, 460)}
PLACED = [(Symbol(i, "databar14", "ZLT DataBar 34X", 8, 22, b"", b"", "", True, 37.0, ["x"]), "paragraphs")
          for i in range(3)]


def crop(n, w, h):
    return (f"{n:04d}.pgm", "page-1.pgm", [10, 100 * n, w, h])


class MatchCrops(unittest.TestCase):
    def test_pairs(self):
        cases = [
            # (what, crops found, the placement each crop goes to, the placements noted as missing)
            ("all found, print a few pixels off", [crop(0, 402, 151), crop(1, 1190, 150), crop(2, 300, 470)],
             [0, 1, 2], []),
            ("the wide one cut by the column", [crop(0, 400, 150), crop(1, 700, 150), crop(2, 300, 460)],
             [0, None, 2], [1]),
            ("the wide one run into the tall one", [crop(0, 400, 150), crop(1, 1200, 620)], [0, None, None], [1, 2]),
            ("the first one missing", [crop(1, 1200, 150), crop(2, 300, 460)], [None, 0, 1], [0]),
            ("the wide one wrapped into two pieces", [crop(0, 400, 150), crop(1, 900, 150), crop(2, 300, 150),
                                                     crop(3, 300, 460)], [0, None, 3], [1]),
            ("the last one cut", [crop(0, 400, 150), crop(1, 1200, 150), crop(2, 300, 200)], [0, 1, None], [2]),
        ]
        for what, crops, expected, missing in cases:
            with self.subTest(what):
                matched, notes = match_crops(PLACED, crops, SIZES, 300)
                self.assertEqual(matched, [crops[i] if i is not None else None for i in expected])
                named = [n for n in notes if n.startswith("symbol ")]
                self.assertEqual([int(n.split()[1]) for n in named], missing)
                self.assertTrue(all("cut or not found" in n for n in named))

    def test_extra_symbols_are_noted(self):
        crops = [crop(0, 400, 150), crop(1, 1200, 150), crop(2, 300, 460), crop(3, 50, 50)]
        matched, notes = match_crops(PLACED, crops, SIZES, 300)
        self.assertEqual(matched, crops[:3])
        self.assertEqual(notes, ["1 symbols found after the last placed one"])


if __name__ == "__main__":
    unittest.main()
