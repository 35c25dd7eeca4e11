# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a global function or variable is defined by more than one object of a static library: the
# linker would then take whichever object comes first and silently drop the other.
# Usage: cmake -DNM=<nm> -DARCHIVE=<library.a> -P defined_once_check.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${NM} -g --defined-only ${ARCHIVE}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${ARCHIVE}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(seen "")
set(twice "")
foreach(line IN LISTS lines)
  # "<address> <kind> <symbol>"; strong definitions only (weak and inline ones may repeat).
  if(line MATCHES "^[0-9a-fA-F]+ [TDBR] (.+)$")
    set(symbol "${CMAKE_MATCH_1}")
    if(symbol IN_LIST seen)
      list(APPEND twice "${symbol}")
    else()
      list(APPEND seen "${symbol}")
    endif()
  endif()
endforeach()
list(LENGTH seen count)
if(count EQUAL 0)
  message(FATAL_ERROR "no definitions found in ${ARCHIVE}")
endif()
if(twice)
  message(FATAL_ERROR "defined by more than one object of ${ARCHIVE}: ${twice}")
endif()
message(STATUS "${count} definitions, each in one object")
