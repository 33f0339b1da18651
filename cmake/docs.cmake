# Renders the API reference of the installed headers with Doxygen (script mode, run by
# the `docs` target and the `docs` test):
#   cmake -DDOXYGEN=... -DSOURCE_DIR=... -DOUTPUT=... -DVERSION=... -DDESCRIPTION=...
#         [-DSTRICT=ON|OFF] -P docs.cmake
# Two passes over docs/Doxyfile.in, each with docs/reference.dox (main page, namespaces):
#  1. the reference: every header of Platform/, Proc/, Media/ and Testing/ except
#     *Internal.h, all declarations listed, into OUTPUT/html; any warning (a comment
#     that names a parameter the function lacks, a broken command) fails;
#  2. the check: the public names of Proc/Interfaces/ and Proc/Settings/ that carry no
#     documentation comment. With STRICT (the default) each one fails the run; otherwise
#     they are only counted.
cmake_minimum_required(VERSION 3.25)
foreach(var DOXYGEN SOURCE_DIR OUTPUT VERSION DESCRIPTION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "docs.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT DEFINED STRICT)
  set(STRICT ON)
endif()
if(NOT DOXYGEN)
  message(FATAL_ERROR "docs: doxygen not found (Debian package doxygen)")
endif()

set(PROJECT_SOURCE_DIR ${SOURCE_DIR})
set(PROJECT_VERSION ${VERSION})
set(PROJECT_DESCRIPTION ${DESCRIPTION})

# run_doxygen(NAME OUTPUT-DIR INPUT-DIRS EXTRACT-ALL WARN-IF-UNDOCUMENTED)
# Leaves the warnings in <OUTPUT-DIR>/warnings.log and their text in `warnings`.
function(run_doxygen name output inputs extract_all warn_undocumented)
  set(DOCS_OUTPUT ${output})
  set(DOCS_INPUT)
  foreach(dir IN LISTS inputs)
    if(IS_DIRECTORY ${SOURCE_DIR}/${dir})
      string(APPEND DOCS_INPUT " \"${SOURCE_DIR}/${dir}\"")
    endif()
  endforeach()
  set(DOCS_EXTRACT_ALL ${extract_all})
  set(DOCS_WARN_IF_UNDOCUMENTED ${warn_undocumented})
  file(REMOVE_RECURSE ${output})
  file(MAKE_DIRECTORY ${output})
  configure_file(${SOURCE_DIR}/docs/Doxyfile.in ${output}/Doxyfile @ONLY)
  execute_process(COMMAND ${DOXYGEN} ${output}/Doxyfile WORKING_DIRECTORY ${output} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "docs: doxygen failed in the ${name} pass (${result})")
  endif()
  file(READ ${output}/warnings.log log)
  string(REPLACE "${SOURCE_DIR}/" "" log "${log}")
  set(warnings "${log}" PARENT_SCOPE)
endfunction()

run_doxygen(reference ${OUTPUT} "Platform;Proc;Media;Testing;docs" YES NO)
if(NOT warnings STREQUAL "")
  message(FATAL_ERROR "docs: the header comments have faults:\n${warnings}")
endif()

# The namespace descriptions make Doxygen check the free functions of the namespaces too.
run_doxygen(check ${OUTPUT}/undocumented "Proc/Interfaces;Proc/Settings;docs" NO YES)
string(REGEX MATCHALL "[^\n]*is not documented[^\n]*" undocumented "${warnings}")
list(LENGTH undocumented count)
if(STRICT AND NOT warnings STREQUAL "")
  message(FATAL_ERROR "docs: ${count} public name(s) of Proc/Interfaces/ and Proc/Settings/ lack a documentation comment:\n${warnings}")
endif()
message(STATUS "docs: ${OUTPUT}/html/index.html")
if(NOT STRICT)
  message(STATUS "docs: ${count} public name(s) of Proc/Interfaces/ and Proc/Settings/ lack a documentation comment"
                 " (allowed while TIVREL_DOCS_STRICT is OFF; list in ${OUTPUT}/undocumented/warnings.log)")
endif()
