# Compares a DLL's export table with the expected list: exactly these names, undecorated, in a
# PE image of the expected kind.  -DDLL=... -DEXPECTED=... -DMAGIC=PE32|PE32+
execute_process(COMMAND x86_64-w64-mingw32-objdump -p ${DLL}
                OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump could not read ${DLL}")
endif()

string(REGEX MATCH "Magic[ \t]+[0-9a-f]+[ \t]+\\(([A-Z0-9+]+)\\)" _ "${dump}")
if(NOT CMAKE_MATCH_1 STREQUAL MAGIC)
  message(FATAL_ERROR "${DLL} is ${CMAKE_MATCH_1}, expected ${MAGIC}")
endif()

set(actual "")
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${table}")
foreach(row IN LISTS rows)
  string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${row}")
  list(APPEND actual "${name}")
endforeach()

file(STRINGS ${EXPECTED} expected REGEX "^[^#]")
list(SORT actual)
list(SORT expected)
if(NOT actual STREQUAL expected)
  set(missing ${expected})
  list(REMOVE_ITEM missing ${actual})
  set(extra ${actual})
  list(REMOVE_ITEM extra ${expected})
  message(FATAL_ERROR "${DLL} exports differ\n  missing: ${missing}\n  unexpected: ${extra}")
endif()
list(LENGTH actual count)
message(STATUS "${DLL}: ${count} exports as expected")
