# A season of folders, each with its own statistics file, checked from a folder that has none;
# one of them extracted in lower case, as archive tools on Linux do. Days other than the sample
# are made by the sample generator, so that each file holds its own day's date.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/a ${WORK}/b ${WORK}/elsewhere ${WORK}/made)
execute_process(COMMAND ${SAMPLEGEN} ${WORK}/made --date 060416 --days 3 OUTPUT_QUIET RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "the sample generator failed")
endif()
file(COPY ${SAMPLES}/B060415.TXT ${SAMPLES}/K060415.TXT ${SAMPLES}/Fan0510.txt DESTINATION ${WORK}/a)
file(COPY_FILE ${WORK}/made/B060416.TXT ${WORK}/b/b060416.txt)
file(COPY_FILE ${WORK}/made/K060416.TXT ${WORK}/b/k060416.txt)
file(COPY_FILE ${SAMPLES}/Fan0510.txt ${WORK}/b/fan0510.TXT)
execute_process(COMMAND ${CHECK} -q ${WORK}/a ${WORK}/b WORKING_DIRECTORY ${WORK}/elsewhere
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "exit ${result}\n${out}\n${err}")
endif()
if(NOT out MATCHES "Checked 2 days, 12 venues, [0-9]+ races \\(0 files skipped\\)")
  message(FATAL_ERROR "unexpected totals:\n${out}\n${err}")
endif()

# A damaged statistics file costs only the days that need it, and a result file of another day
# is not scored: both days are named and skipped, the good one is checked, and the exit is 1.
file(MAKE_DIRECTORY ${WORK}/c ${WORK}/d)
file(COPY_FILE ${WORK}/made/B060417.TXT ${WORK}/c/b060417.txt)
file(COPY_FILE ${WORK}/made/K060417.TXT ${WORK}/c/k060417.txt)
file(WRITE ${WORK}/c/fan0604.lzh "<html><body>login</body></html>")
file(COPY ${WORK}/made/B060418.TXT ${SAMPLES}/Fan0510.txt DESTINATION ${WORK}/d)
file(READ ${WORK}/made/K060418.TXT results)
string(REPLACE "2006/ 4/18" "2024/11/15" results "${results}")
file(WRITE ${WORK}/d/K060418.TXT "${results}")
execute_process(COMMAND ${CHECK} -q ${WORK}/a ${WORK}/c ${WORK}/d WORKING_DIRECTORY ${WORK}/elsewhere
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 1)
  message(FATAL_ERROR "exit ${result}\n${out}\n${err}")
endif()
if(NOT out MATCHES "Checked 1 day, 6 venues, 69 races \\(2 files skipped\\)")
  message(FATAL_ERROR "unexpected totals:\n${out}\n${err}")
endif()
foreach(expected "b060417.txt: its racer statistics file ${WORK}/c/fan0604.lzh cannot be read"
                 "K060418.TXT: a result file of 2024-11-15, not of 2006-04-18"
                 "2006-04-18: left out: no result file of the day to take")
  string(FIND "${err}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "no message '${expected}' in:\n${err}")
  endif()
endforeach()

# The same day twice (a text file and its copy in another folder, the same folder given twice)
# is checked once.
execute_process(COMMAND ${CHECK} -q ${WORK}/a ${WORK}/a/ ${WORK}/b ${WORK}/b/b060416.txt
                        ${WORK}/made/B060416.TXT
                WORKING_DIRECTORY ${WORK}/elsewhere
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT out MATCHES "Checked 2 days, 12 venues")
  message(FATAL_ERROR "exit ${result}\n${out}\n${err}")
endif()

# A web page saved as Fan0510.txt is passed over for the period file beside it; a day with only
# such a page is named with why and with the files looked for.
file(MAKE_DIRECTORY ${WORK}/e ${WORK}/f)
file(COPY ${SAMPLES}/B060415.TXT ${SAMPLES}/K060415.TXT DESTINATION ${WORK}/e)
file(COPY_FILE ${SAMPLES}/Fan0510.txt ${WORK}/e/fan0604.txt)
file(WRITE ${WORK}/e/Fan0510.txt "<html><body>login</body></html>")
file(COPY ${WORK}/made/B060416.TXT ${WORK}/made/K060416.TXT ${WORK}/e/Fan0510.txt DESTINATION ${WORK}/f)
execute_process(COMMAND ${CHECK} -q ${WORK}/e ${WORK}/f WORKING_DIRECTORY ${WORK}/elsewhere
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 1)
  message(FATAL_ERROR "exit ${result}\n${out}\n${err}")
endif()
if(NOT out MATCHES "Checked 1 day, 6 venues, 69 races \\(1 file skipped\\); statistics: [^\n]*/e/fan0604.txt \\(1600 racers\\)")
  message(FATAL_ERROR "unexpected totals:\n${out}\n${err}")
endif()
foreach(expected "f/B060416.TXT: its racer statistics file ${WORK}/f/Fan0510.txt cannot be read (a web page"
                 "looked for: ${WORK}/f/Fan0510.txt, ${WORK}/f/fan0604.txt, ${WORK}/f/fan0604.lzh, ./Fan0510.txt")
  string(FIND "${err}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "no message '${expected}' in:\n${err}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
