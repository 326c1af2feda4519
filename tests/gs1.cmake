# GS1 element strings and the AI dictionary.
strivane_test(gs1_tests
  SOURCES ai_dictionary_test.cpp ean128_parser_test.cpp ean128_robustness_test.cpp
  LABELS gs1
  LIBS tallowlib_internal)

# The parser's, check digit's and Expanded widths' short cuts against the general way.
strivane_test(ean128_fast_path_tests
  SOURCES ean128_fast_paths_test.cpp
  LABELS gs1 expanded
  LIBS tallowlib_internal)
