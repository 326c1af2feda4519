# SPDX-License-Identifier: Apache-2.0
"""Seeded inputs for the Calc barcode functions and what each must give, worked out from the
tarnwick tool's output for the same data."""

import dataclasses
import random
import subprocess
import tempfile
from dataclasses import dataclass

# Calc function -> the tool's symbology.
TOOL_SYMBOLOGY = {
    "CODE128": "code128",
    "GS1_128": "gs1-128",
    "DATABAR14": "databar14",
    "DATABARLIMITED": "databar-limited",
    "DATABARSTACKED": "databar-stacked",
    "DATABARSTACKEDOMNI": "databar-stacked-omni",
    "DATABAREXPANDED": "databar-expanded",
}
# Calc function -> the add-in's method, the name a document stores.
METHODS = {
    "CODE128": "code128", "GS1_128": "gs1Code128", "DATABAR14": "databar14",
    "DATABARLIMITED": "databarLimited", "DATABARSTACKED": "databarStacked",
    "DATABARSTACKEDOMNI": "databarStackedOmni", "DATABAREXPANDED": "databarExpanded", "MOD10": "mod10",
}
GTIN_FUNCTIONS = ("DATABAR14", "DATABARLIMITED", "DATABARSTACKED", "DATABARSTACKEDOMNI")
FUNCTIONS = tuple(TOOL_SYMBOLOGY) + ("MOD10",)


@dataclass
class Case:
    function: str
    data: object            # str, or float for a number cell
    segments: object = None  # DATABAREXPANDED only: None (left out) or a number
    text: str = None        # the font text (lines joined by LF), None when refused
    message: str = None     # the tool's refusal, None when it has none to compare


def check_digit(digits):
    total = sum(int(c) * (3 if i % 2 == 0 else 1) for i, c in enumerate(reversed(digits)))
    return str((10 - total % 10) % 10)


def _gtin(rng, indicator=None):
    first = str(indicator if indicator is not None else rng.randrange(10))
    return first + "".join(rng.choice("0123456789") for _ in range(12))


def _latin1_text(rng):
    alphabet = [chr(c) for c in range(0x20, 0x7F) if chr(c) != "~"] + list("ÀÉßçñü×÷")
    return "".join(rng.choice(alphabet) for _ in range(rng.randrange(1, 20)))


def _element_strings(rng):
    gtin = _gtin(rng)
    pieces = ["(01)" + gtin + check_digit(gtin)]
    if rng.random() < 0.6:
        pieces.append("(3103)%06d" % rng.randrange(1000000))
    if rng.random() < 0.6:
        pieces.append("(15)%02d%02d%02d" % (rng.randrange(100), rng.randrange(1, 13), rng.randrange(1, 29)))
    if rng.random() < 0.5:
        pieces.append("(10)" + "".join(rng.choice("ABCDEFGH0123456789") for _ in range(rng.randrange(1, 12))))
    return "".join(pieces)


# Inputs every run holds: the refusals and the conversions of the Calc side.
FIXED = [
    Case("DATABAR14", "1234567890123"), Case("DATABAR14", "(01)12345678901231"),
    Case("DATABAR14", "12345678901232"), Case("DATABAR14", "12"), Case("DATABAR14", ""),
    Case("DATABAR14", "12345678901A3"), Case("DATABAR14", 1234567890123.0),
    Case("DATABAR14", 12345678901231.0), Case("DATABAR14", 400638133393.0),
    Case("DATABAR14", 123456789012.5), Case("DATABAR14", 0.0), Case("DATABARLIMITED", "2512345678901"),
    Case("DATABARLIMITED", "0512345678901"), Case("DATABARSTACKED", "04006381333931"),
    Case("DATABARSTACKEDOMNI", "1234567890123"), Case("DATABARSTACKEDOMNI", 42.0),
    Case("CODE128", "Grüße"), Case("CODE128", "5 €"), Case("CODE128", "-42 Main St~M~J"),
    Case("CODE128", 42.0), Case("CODE128", 3.5), Case("CODE128", 0.0), Case("CODE128", "Ā"),
    Case("GS1_128", "(01)98898765432106(15)991231"), Case("GS1_128", "(01)123"),
    Case("GS1_128", "01)98898765432106"),
    Case("DATABAREXPANDED", "(01)98898765432106(3103)001750"),
    Case("DATABAREXPANDED", "(01)98898765432106(3103)001750(15)991231", 4.0),
    Case("DATABAREXPANDED", "(01)98898765432106(3103)001750(15)991231", 3.0),
    Case("DATABAREXPANDED", "(01)98898765432106(3103)001750", 1.0),
    Case("DATABAREXPANDED", "(01)98898765432106(3103)001750", 23.0),
    Case("DATABAREXPANDED", "(01)98898765432106(3103)001750", 4.5),
    Case("DATABAREXPANDED", "(01)98898765432106(3103)001750", "4"),
    Case("DATABAREXPANDED", "(01)98898765432106(3103)00175"),
    Case("MOD10", "1234567"), Case("MOD10", "12345678901"), Case("MOD10", 1234567.0),
    Case("MOD10", "12a"), Case("MOD10", ""), Case("MOD10", "١٢٣"),
]


def seeded_cases(seed=20261207, per_function=12):
    """FIXED, then random inputs from a fixed seed: mostly valid, some with a wrong check digit."""
    rng = random.Random(seed)
    cases = [dataclasses.replace(case) for case in FIXED]
    for _ in range(per_function):
        gtin = _gtin(rng)
        cases.append(Case("DATABAR14", gtin))
        cases.append(Case("DATABARSTACKED", gtin + check_digit(gtin)))
        cases.append(Case("DATABARSTACKEDOMNI", gtin + str((int(check_digit(gtin)) + rng.randrange(2)) % 10)))
        cases.append(Case("DATABARLIMITED", _gtin(rng, rng.choice((0, 1, 1, 2)))))
        cases.append(Case("CODE128", _latin1_text(rng)))
        cases.append(Case("GS1_128", _element_strings(rng)))
        cases.append(Case("DATABAREXPANDED", _element_strings(rng),
                          rng.choice((None, 22.0)) if rng.random() < 0.3 else float(rng.randrange(1, 12) * 2)))
        cases.append(Case("MOD10", "".join(rng.choice("0123456789") for _ in range(rng.randrange(1, 20)))))
    return cases


def _unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"t": "\t", "r": "\r", "n": "\n", "\\": "\\"}[text[i + 1]])
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def _tool_batch(tarnwick, arguments, inputs):
    """(font text joined by LF or None, refusal or None) per input, from tarnwick --batch."""
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt") as batch:
        batch.write("".join(line + "\n" for line in inputs))
        batch.flush()
        run = subprocess.run([tarnwick, *arguments, "--batch=" + batch.name], capture_output=True,
                             encoding="utf-8", check=False)
    lines = run.stdout.splitlines()
    assert len(lines) == len(inputs), run.stderr
    results = []
    for line in lines:
        result = _unescape(line.split("\t", 1)[1])
        if result.startswith("error: "):
            results.append((None, result[len("error: "):]))
        else:
            results.append((result.replace("\r\n", "\n"), None))
    return results


def tool_data(case):
    """The text the tool is given for a case, or None when the Calc side must refuse it
    before any encoder runs (a GTIN number without its 13 or 14 digits, a bad segment count)."""
    if case.function == "DATABAREXPANDED" and case.segments is not None:
        s = case.segments
        if not isinstance(s, float) or s != int(s) or not 2 <= s <= 22:
            return None
    if isinstance(case.data, str):
        return case.data
    digits = "%d" % case.data if case.data == int(case.data) else "%.15g" % case.data
    if case.function in GTIN_FUNCTIONS and not (digits.isdigit() and len(digits) in (13, 14)):
        return None
    return digits


def _tool_arguments(case):
    if case.function == "MOD10":
        return None
    if case.function == "DATABAREXPANDED" and case.segments is not None:
        return ("--segments", "%d" % case.segments, "databar-expanded-stacked")
    return (TOOL_SYMBOLOGY[case.function],)


def _mod10(case, data):
    if data.isascii() and data.isdigit():
        return data + check_digit(data)
    return None


def with_expectations(cases, tarnwick):
    """Fills in text and message of every case from the tool (one batch run per symbology)."""
    groups = {}
    for case in cases:
        data = tool_data(case)
        if data is None:
            continue
        if case.function == "MOD10":
            case.text = _mod10(case, data)
            continue
        groups.setdefault(_tool_arguments(case), []).append((case, data))
    for arguments, members in groups.items():
        for (case, _), (text, message) in zip(members, _tool_batch(tarnwick, arguments,
                                                                   [d for _, d in members])):
            case.text, case.message = text, message
    return cases
