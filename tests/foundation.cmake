# DataBar fixed-length encoders: DataBar-14, Limited, Stacked, Stacked Omnidirectional.
strivane_test(databar_fixed_tests
  SOURCES databar_widths_test.cpp databar14_test.cpp databar_limited_test.cpp databar_stacked_test.cpp
  LABELS databar
  LIBS tallowlib)

# Scan round trip of the printed symbols through zbar and zxing-cpp.
strivane_test(databar_scan_tests
  SOURCES databar_scan_test.cpp
  LABELS scan
  LIBS Tarnwick tallowlib scan_support)
