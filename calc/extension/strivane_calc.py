"""The Calc add-in: one method per function of XBarcodeFunctions. The Function Wizard's names,
descriptions and category come from CalcAddIns.xcu."""

import unohelper
from com.sun.star.lang import IllegalArgumentException, XServiceInfo
from org.strivane.calc import XBarcodeFunctions

import strivane_barcodes
from strivane_barcodes import BarcodeEncoder, Refusal

IMPLEMENTATION_NAME = "org.strivane.calc.BarcodeFunctions"
SERVICE_NAMES = ("com.sun.star.sheet.AddIn", IMPLEMENTATION_NAME)


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

    def code128(self, data):
        return self._encode("CODE128", data)

    def gs1Code128(self, data):
        return self._encode("GS1_128", data)

    def databar14(self, data):
        return self._encode("DATABAR14", data)

    def databarLimited(self, data):
        return self._encode("DATABARLIMITED", data)

    def databarStacked(self, data):
        return self._encode("DATABARSTACKED", data)

    def databarStackedOmni(self, data):
        return self._encode("DATABARSTACKEDOMNI", data)

    def databarExpanded(self, data, segments):
        return self._encode(strivane_barcodes.EXPANDED, data, segments)

    def mod10(self, data):
        return self._encode(strivane_barcodes.MOD10, data)

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
