# SPDX-License-Identifier: Apache-2.0
# The U25Ferrow formula functions.
strivane_fuzz_target(fuzz_ufl_formulas ufl_formula_fuzz.cpp LIBS U25Ferrow)
