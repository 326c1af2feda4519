# GS1 element strings and the AI dictionary.
strivane_test(gs1_tests
  SOURCES ai_dictionary_test.cpp ean128_parser_test.cpp ean128_robustness_test.cpp
  LABELS gs1
  LIBS tallowlib_internal)
