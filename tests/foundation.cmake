# DataBar fixed-length encoders: DataBar-14, Limited, Stacked, Stacked Omnidirectional.
strivane_test(databar_fixed_tests
  SOURCES databar_widths_test.cpp databar14_test.cpp databar_limited_test.cpp databar_stacked_test.cpp
  LABELS databar
  LIBS tallowlib)
