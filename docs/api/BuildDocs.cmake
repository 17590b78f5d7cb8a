# SPDX-License-Identifier: MIT
# Builds the API reference: cmake -D DOXYGEN=... -D QHELPGENERATOR=... -D PYTHON=... -D CHECK=...
# -D DOXYFILE=... -D WORK=... -D HTML=... -D QCH=... -P BuildDocs.cmake. Doxygen writes into
# WORK; only a reference without warnings whose every class has its overview replaces HTML and
# QCH. Quiet unless something is wrong.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${DOXYGEN}" "${DOXYFILE}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
set(warnings "")
if(EXISTS "${WORK}/warnings.log")
  file(READ "${WORK}/warnings.log" warnings)
endif()
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "${output}${warnings}Doxygen warned: the API reference must build without warnings.")
endif()
execute_process(COMMAND "${PYTHON}" "${CHECK}" "${WORK}/xml" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Every public class needs its overview (above).")
endif()
# Qt Creator's context help (F1) looks a class or member up by its name, "TkavoSpinEdit" or
# "TkavoSpinEdit::setValue", as the keyword's id; Doxygen 1.9.4 appends "_" and the member's
# anchor to every id, which no lookup matches.
file(READ "${WORK}/html/index.qhp" project)
string(REGEX REPLACE "( id=\"[^\"]*)_(a[0-9a-f]+)?\"" "\\1\"" project "${project}")
file(WRITE "${WORK}/html/index.qhp" "${project}")
execute_process(COMMAND "${QHELPGENERATOR}" "${WORK}/html/index.qhp" -o "${WORK}/KavoControls.qch"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS "${WORK}/KavoControls.qch")
  message(FATAL_ERROR "${output}qhelpgenerator made no KavoControls.qch.")
endif()
file(REMOVE_RECURSE "${HTML}" "${QCH}")
file(RENAME "${WORK}/html" "${HTML}")
file(RENAME "${WORK}/KavoControls.qch" "${QCH}")
file(REMOVE_RECURSE "${WORK}")
