# SPDX-License-Identifier: Apache-2.0
"""The add-in's encoder module against the tarnwick tool, without LibreOffice: every seeded case
gives the tool's font text (lines joined by LF) or a refusal with the tool's message.

    encoder_test.py EXTENSION_PYTHONPATH LIBTARNWICK TARNWICK
"""

import sys

import barcode_cases


def main(pythonpath, library, tarnwick):
    sys.path.insert(0, pythonpath)
    import strivane_barcodes

    encoder = strivane_barcodes.BarcodeEncoder(library)
    cases = barcode_cases.with_expectations(barcode_cases.seeded_cases(), tarnwick)
    failures = []
    for case in cases:
        try:
            text = encoder.encode(case.function, case.data, case.segments)
        except strivane_barcodes.Refusal:
            text = None
        diagnostic = encoder.diagnostic(case.data, case.function.lower(), case.segments)
        if text != case.text:
            failures.append("%s(%r; %r): %r, expected %r" % (case.function, case.data, case.segments,
                                                            text, case.text))
        if (diagnostic == "") != (case.text is not None) or \
                (case.message is not None and diagnostic != case.message):
            failures.append("BARCODEERROR(%r; %s): %r, expected %r" % (case.data, case.function,
                                                                      diagnostic, case.message))
    if encoder.diagnostic("1", "EAN13") == "":
        failures.append("BARCODEERROR with an unknown function gives no message")
    for failure in failures:
        print(failure)
    print("%d cases, %d failures" % (len(cases), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
