# Installs the build into a scratch prefix and checks the desktop files are there.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install failed: ${result}")
endif()
foreach(file bin/wakorin bin/wakorin-fetch share/wakorin/help.html share/applications/wakorin.desktop
             share/icons/hicolor/128x128/apps/wakorin.png share/mime/packages/wakorin.xml
             share/wakorin/samples/B060415.TXT share/wakorin/samples/K060415.TXT
             share/wakorin/samples/Fan0510.txt share/wakorin/help/main-window.png
             share/man/man1/wakorin.1.gz share/man/man1/wakorin-check.1.gz
             share/man/man1/wakorin-fetch.1.gz)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "missing after install: ${file}")
  endif()
endforeach()
file(READ ${PREFIX}/share/applications/wakorin.desktop entry)
if(NOT entry MATCHES "Exec=wakorin %f" OR NOT entry MATCHES "Icon=wakorin")
  message(FATAL_ERROR "the desktop entry does not start the application on a file with its icon")
endif()
# A file manager offers the program for the day's files: the MIME types the entry claims are the
# ones the installed MIME package defines, or LHA archives.
file(READ ${PREFIX}/share/mime/packages/wakorin.xml mime)
if(NOT entry MATCHES "MimeType=([^\n]*)")
  message(FATAL_ERROR "the desktop entry names no MIME type")
endif()
foreach(type ${CMAKE_MATCH_1})
  if(NOT type MATCHES "lha|lzh" AND NOT mime MATCHES "type=\"${type}\"")
    message(FATAL_ERROR "the desktop entry claims ${type}, which nothing defines")
  endif()
endforeach()
# The installed checker finds its chart module wherever the tree was installed.
execute_process(COMMAND ${PREFIX}/bin/wakorin-check -q --plot ${PREFIX}/plot.png ${SAMPLES}
                RESULT_VARIABLE plotted OUTPUT_QUIET ERROR_VARIABLE said)
if(NOT EXISTS ${PREFIX}/${LIBDIR}/wakorin/wakorin-plot.so OR NOT plotted EQUAL 0 OR NOT EXISTS ${PREFIX}/plot.png)
  message(FATAL_ERROR "the installed wakorin-check cannot draw its chart: ${said}")
endif()
file(REMOVE_RECURSE ${PREFIX})
