# SPDX-License-Identifier: Apache-2.0
# strivane_warnings(target): the project's warning set, applied to every target we own.
function(strivane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
