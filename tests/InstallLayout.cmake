# Installs the build into a scratch prefix and checks the desktop files are there.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install failed: ${result}")
endif()
foreach(file bin/wakorin bin/wakorin-fetch share/wakorin/help.html share/applications/wakorin.desktop
             share/icons/hicolor/128x128/apps/wakorin.png)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "missing after install: ${file}")
  endif()
endforeach()
file(READ ${PREFIX}/share/applications/wakorin.desktop entry)
if(NOT entry MATCHES "Exec=wakorin" OR NOT entry MATCHES "Icon=wakorin")
  message(FATAL_ERROR "the desktop entry does not start the application with its icon")
endif()
file(REMOVE_RECURSE ${PREFIX})
