# SPDX-License-Identifier: Apache-2.0
"""Barcode font text for Calc cells, from libTarnwick.so.1 through ctypes.

Kept free of UNO so that it can be tried with a plain Python against a build tree. The add-in
component (strivane_calc.py) turns a Refusal into Calc's Err:502 and shows its message through
BARCODEERROR.
"""

import ctypes
import math
import os

# Calc function name -> (Tarnwick export, takes a GTIN). DATABAREXPANDED and MOD10 have calls
# of their own.
SYMBOL_FUNCTIONS = {
    "CODE128": ("Code128_Uni", False),
    "GS1_128": ("EAN128_Uni", False),
    "DATABAR14": ("DataBar14", True),
    "DATABARLIMITED": ("DataBarLimited", True),
    "DATABARSTACKED": ("DataBarStacked", True),
    "DATABARSTACKEDOMNI": ("DataBarStackedOmni", True),
}
EXPANDED = "DATABAREXPANDED"
MOD10 = "MOD10"
FUNCTION_NAMES = tuple(SYMBOL_FUNCTIONS) + (EXPANDED, MOD10)

ONE_ROW = 22  # segments per row of a one-row DataBar Expanded symbol
LARGEST_EXACT_INTEGER = 2**53
FIRST_BUFFER_SIZE = 4096
LARGEST_BUFFER_SIZE = 1 << 28


class Refusal(Exception):
    """Data the functions cannot encode; the message says what is wrong."""


def default_library_path():
    """libTarnwick.so.1 as the extension bundles it: lib/ beside pythonpath/."""
    here = os.path.dirname(os.path.abspath(__file__))
    return os.path.join(os.path.dirname(here), "lib", "libTarnwick.so.1")


def latin1_bytes(text):
    """The Latin-1 bytes of a text; a character without a Latin-1 code is refused."""
    try:
        return text.encode("latin-1")
    except UnicodeEncodeError as error:
        character = text[error.start]
        raise Refusal('character %d "%s" (U+%04X) has no Latin-1 code'
                      % (error.start + 1, character, ord(character))) from None


def number_text(value, gtin):
    """The text of a number a cell passed. A GTIN must still have all of its 13 or 14 digits:
    a number cell drops the leading zeros, so any other count is refused."""
    if math.isfinite(value) and value == int(value) and abs(value) < LARGEST_EXACT_INTEGER:
        text = "%d" % value
    else:
        text = "%.15g" % value
    if gtin and value == 0:
        raise Refusal("no GTIN: the cell is empty (or holds the number 0)")
    if gtin and not (text.isdigit() and len(text) in (13, 14)):
        raise Refusal("the GTIN arrived as the number %s, which may have lost leading zeros: "
                      "format the cell as text, or give 13 or 14 digits" % text)
    return text


def cell_text(value, gtin=False):
    """What a cell argument holds, as text: a string, or a number (see number_text)."""
    if value is None:
        raise Refusal("no data")
    if isinstance(value, str):
        return value
    if isinstance(value, bool):
        value = float(value)
    if isinstance(value, (int, float)):
        return number_text(float(value), gtin)
    raise Refusal("the data must be one cell or one value, not a range")


def segments_per_row(value):
    """Segments per row of DATABAREXPANDED: a whole number from 2 to 22, 22 when left out."""
    if value is None:
        return ONE_ROW
    if isinstance(value, (int, float)) and not isinstance(value, bool) and value == int(value) \
            and 2 <= value <= ONE_ROW:
        return int(value)
    raise Refusal("segments per row must be a whole number from 2 to 22, not %r" % (value,))


class BarcodeEncoder:
    """The encoder functions of one loaded libTarnwick."""

    def __init__(self, library_path=None):
        self._lib = ctypes.CDLL(library_path or default_library_path())
        text_out = [ctypes.c_char_p, ctypes.c_char_p, ctypes.c_int32]
        for export, _ in SYMBOL_FUNCTIONS.values():
            getattr(self._lib, export).argtypes = text_out
        self._lib.DataBarExpanded.argtypes = [ctypes.c_char_p, ctypes.c_int32, ctypes.c_char_p,
                                              ctypes.c_int32]
        self._lib.getMod10CheckDigit.argtypes = [ctypes.c_char_p]
        self._lib.TarnwickLastError.argtypes = [ctypes.c_char_p, ctypes.c_int32]
        for function in (self._lib.DataBarExpanded, self._lib.getMod10CheckDigit,
                         self._lib.TarnwickLastError, *(getattr(self._lib, e) for e, _ in
                                                        SYMBOL_FUNCTIONS.values())):
            function.restype = ctypes.c_int

    def _last_error(self):
        buffer = ctypes.create_string_buffer(1024)
        if self._lib.TarnwickLastError(buffer, len(buffer)) <= 0:
            return "the data cannot be encoded"
        return buffer.value.decode("latin-1")

    def _call(self, call):
        """Runs call(buffer, size) with a buffer that grows until the text fits."""
        size = FIRST_BUFFER_SIZE
        while True:
            buffer = ctypes.create_string_buffer(size)
            length = call(buffer, size)
            if length > 0:
                return buffer.raw[:length].decode("latin-1").replace("\r\n", "\n")
            if length < 0 or size >= LARGEST_BUFFER_SIZE:
                raise Refusal(self._last_error())
            size *= 4

    def encode(self, function, data, segments=None):
        """Font text of a Calc function (FUNCTION_NAMES) for a cell argument; the lines of a
        stacked symbol are joined by LF. Raises Refusal."""
        if function == MOD10:
            return self.mod10(data)
        if function == EXPANDED:
            data_bytes = latin1_bytes(cell_text(data))
            rows = segments_per_row(segments)
            return self._call(lambda out, size: self._lib.DataBarExpanded(data_bytes, rows, out, size))
        export, gtin = SYMBOL_FUNCTIONS[function]
        data_bytes = latin1_bytes(cell_text(data, gtin))
        return self._call(lambda out, size: getattr(self._lib, export)(data_bytes, out, size))

    def mod10(self, data):
        """The digits followed by their GS1 modulo-10 check digit; anything else is refused."""
        digits = cell_text(data)
        if not (digits.isascii() and digits.isdigit()):
            raise Refusal("MOD10 needs a text of digits 0 to 9")
        return digits + str(self._lib.getMod10CheckDigit(digits.encode("ascii")))

    def diagnostic(self, data, function, segments=None):
        """Why a function (named as text) refuses the data, or "" when it encodes it."""
        name = function.strip().upper() if isinstance(function, str) else ""
        if name not in FUNCTION_NAMES:
            return "unknown function %r: one of %s" % (function, ", ".join(FUNCTION_NAMES))
        try:
            self.encode(name, data, segments)
        except Refusal as refusal:
            return str(refusal)
        return ""
