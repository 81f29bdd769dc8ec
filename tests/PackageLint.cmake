# Builds the Debian package into a scratch folder and runs lintian on it: any error fails.
# Without lintian (it is not needed to build) the test says so and is counted as skipped.
if(NOT LINTIAN)
  message("lintian is not installed: skipped")
  return()
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB debs ${WORK}/*.deb)
if(NOT result EQUAL 0 OR NOT debs)
  message(FATAL_ERROR "cpack failed (${result}):\n${output}")
endif()
execute_process(COMMAND ${LINTIAN} --no-cfg --display-level ">=warning" ${debs}
                OUTPUT_VARIABLE report ERROR_VARIABLE report)
message("${report}")
if(report MATCHES "(^|\n)E: ")
  message(FATAL_ERROR "lintian reports errors on the package")
endif()
# The package itself: stripped binaries, no debug information, every command with its page.
execute_process(COMMAND dpkg-deb --contents ${debs} OUTPUT_VARIABLE contents)
foreach(file usr/share/doc/wakorin/copyright usr/share/doc/wakorin/changelog.gz
             usr/share/man/man1/wakorin.1.gz usr/share/man/man1/wakorin-check.1.gz
             usr/share/man/man1/wakorin-fetch.1.gz usr/share/wakorin/samples/B060415.TXT
             usr/share/mime/packages/wakorin.xml)
  if(NOT contents MATCHES "\\./${file}\n")
    message(FATAL_ERROR "the package lacks ${file}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
