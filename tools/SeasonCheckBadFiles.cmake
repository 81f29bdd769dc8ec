# Unreadable and malformed files are reported and skipped; the good day is still checked.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/day)
file(COPY ${SAMPLES}/B060415.TXT ${SAMPLES}/K060415.TXT DESTINATION ${WORK}/day)
file(WRITE ${WORK}/day/B010101.TXT "not a race program file\r\n")
file(WRITE ${WORK}/day/B020202.TXT "")
file(MAKE_DIRECTORY ${WORK}/day/B030303.TXT)
execute_process(COMMAND ${CHECK} -q --stats ${SAMPLES}/Fan0510.txt ${WORK}/day ${WORK}/missing.TXT
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
# Something was skipped: exit 1, not 0 and not the usage's 2.
if(NOT result EQUAL 1)
  message(FATAL_ERROR "exit ${result}\n${out}\n${err}")
endif()
if(NOT out MATCHES "Checked 1 day, 6 venues, 69 races \\(3 files skipped\\)")
  message(FATAL_ERROR "unexpected totals:\n${out}\n${err}")
endif()
foreach(expected "B010101.TXT: not a race program file" "2001-01-01: left out"
                 "B020202.TXT: not a race program file" "missing.TXT: no such file or folder")
  string(FIND "${err}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "no message '${expected}' in:\n${err}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
