# SPDX-License-Identifier: Apache-2.0
"""The Calc add-in: one method per function of XBarcodeFunctions. The Function Wizard's names,
descriptions and category come from CalcAddIns.xcu."""

import unohelper
from com.sun.star.lang import IllegalArgumentException, XServiceInfo
from org.strivane.calc import XBarcodeFunctions

import strivane_barcodes
from strivane_barcodes import BarcodeEncoder, Refusal

IMPLEMENTATION_NAME = "org.strivane.calc.BarcodeFunctions"
SERVICE_NAMES = ("com.sun.star.sheet.AddIn", IMPLEMENTATION_NAME)


def _symbol_function(function):
    """The method of a function with one data argument."""
    def method(self, data):
        return self._encode(function, data)
    return method


class BarcodeFunctions(unohelper.Base, XBarcodeFunctions, XServiceInfo):
    def __init__(self, context):
        self.context = context
        self.encoder = BarcodeEncoder()

    def _encode(self, function, data, segments=None):
        try:
            return self.encoder.encode(function, data, segments)
        except Refusal as refusal:
            # Calc shows an IllegalArgumentException as Err:502.
            raise IllegalArgumentException(str(refusal), self, 0) from None

    code128 = _symbol_function("CODE128")
    gs1Code128 = _symbol_function("GS1_128")
    databar14 = _symbol_function("DATABAR14")
    databarLimited = _symbol_function("DATABARLIMITED")
    databarStacked = _symbol_function("DATABARSTACKED")
    databarStackedOmni = _symbol_function("DATABARSTACKEDOMNI")
    mod10 = _symbol_function(strivane_barcodes.MOD10)

    def databarExpanded(self, data, segments):
        return self._encode(strivane_barcodes.EXPANDED, data, segments)

    def barcodeError(self, data, function, segments):
        return self.encoder.diagnostic(data, function, segments)

    def getImplementationName(self):
        return IMPLEMENTATION_NAME

    def supportsService(self, name):
        return name in SERVICE_NAMES

    def getSupportedServiceNames(self):
        return SERVICE_NAMES


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(BarcodeFunctions, IMPLEMENTATION_NAME, SERVICE_NAMES)
