# The core answers in values: no string literal in base/, program/, predict/, results/ or day/
# may build the yen sign, full-width parentheses or a "(n)" tag, in UTF-8 or as CP932 escapes.
# The window and the tools make those words. Run as: cmake -DROOT=<source dir> -P CoreWords.cmake
set(bad "")
foreach(folder base program predict results day)
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp" "${ROOT}/${folder}/*.inc")
  foreach(source ${sources})
    file(READ "${source}" text)
    # Comments may name the words; only code counts. A "//" inside a literal cuts it short, which
    # can only hide a word, never invent one.
    string(REGEX REPLACE "//[^\n]*" "" code "${text}")
    string(REGEX REPLACE "/\\*([^*]|\\*[^/])*\\*/" "" code "${code}")
    foreach(pattern
            "\"[^\"\n]*(円|（|）)[^\"\n]*\""              # 円 （ ） written out
            "\\\\[xX]89\\\\[xX]7[eE]"                     # 円 in CP932
            "\\\\[xX]81\\\\[xX]6[9aA]"                    # （ ） in CP932
            "\"\\(\"|\"\\)\"")                            # a "(" ... ")" tag put together
      if(code MATCHES "${pattern}")
        file(RELATIVE_PATH name "${ROOT}" "${source}")
        list(APPEND bad "${name}: ${CMAKE_MATCH_0}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n  " said)
  message(FATAL_ERROR "Display text built in the core:\n  ${said}")
endif()
