# SPDX-FileCopyrightText: 2026 The Headpop developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the picture generator into a scratch folder and checks that it reproduces every
# committed picture byte for byte, and no other.
# -DGENERATOR=... -DASSETS=... -DOUT=...
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${status}")
endif()
file(GLOB generated RELATIVE ${OUT} ${OUT}/*.png)
file(GLOB committed RELATIVE ${ASSETS} ${ASSETS}/*.png)
list(SORT generated)
list(SORT committed)
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "generated ${generated}\nbut committed ${committed}")
endif()
foreach(name IN LISTS generated)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${ASSETS}/${name}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${name} differs from what the generator draws: "
                        "rerun `make assets` and commit the pictures")
  endif()
endforeach()
list(LENGTH generated count)
message(STATUS "${count} pictures reproduced")
