# A season of folders, each with its own statistics file, checked from a folder that has none;
# one of them extracted in lower case, as archive tools on Linux do.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/a ${WORK}/b ${WORK}/elsewhere)
file(COPY ${SAMPLES}/B060415.TXT ${SAMPLES}/K060415.TXT ${SAMPLES}/Fan0510.txt DESTINATION ${WORK}/a)
file(COPY_FILE ${SAMPLES}/B060415.TXT ${WORK}/b/b060416.txt)
file(COPY_FILE ${SAMPLES}/K060415.TXT ${WORK}/b/k060416.txt)
file(COPY_FILE ${SAMPLES}/Fan0510.txt ${WORK}/b/fan0510.TXT)
execute_process(COMMAND ${CHECK} -q ${WORK}/a ${WORK}/b WORKING_DIRECTORY ${WORK}/elsewhere
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "exit ${result}\n${out}\n${err}")
endif()
if(NOT out MATCHES "Checked 2 days, 12 venues, 138 races \\(0 files skipped\\)")
  message(FATAL_ERROR "unexpected totals:\n${out}\n${err}")
endif()
file(REMOVE_RECURSE ${WORK})
