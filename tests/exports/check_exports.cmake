# Compares a DLL's export table with the expected list: exactly these names, undecorated, in a
# PE image of the expected kind. With DEF (the i686 link's own list of what it exported, as
# Name@N), the stdcall argument sizes must be the expected ones too, so that a changed argument
# type fails here instead of in a caller.
#   -DDLL=... -DEXPECTED=... -DMAGIC=PE32|PE32+ [-DDEF=...]
# EXPECTED holds one export a line as Name@N; lines starting with # are comments.

# Fails with what is missing from `actual` and what it has beyond `expected`.
function(compare what actual expected)
  list(SORT actual)
  list(SORT expected)
  if(NOT actual STREQUAL expected)
    set(missing ${expected})
    list(REMOVE_ITEM missing ${actual})
    set(extra ${actual})
    list(REMOVE_ITEM extra ${expected})
    message(FATAL_ERROR "${DLL}: ${what} differ\n  missing: ${missing}\n  unexpected: ${extra}")
  endif()
endfunction()

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

file(STRINGS ${EXPECTED} expected_decorated REGEX "^[^#]")
list(TRANSFORM expected_decorated REPLACE "@[0-9]+$" "" OUTPUT_VARIABLE expected)
compare("exported names" "${actual}" "${expected}")

if(DEF)
  # Lines "    Name = Name@N @ordinal".
  file(STRINGS ${DEF} lines REGEX "=")
  set(decorated "")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "= *([A-Za-z0-9_]+@[0-9]+)" _ "${line}")
    list(APPEND decorated "${CMAKE_MATCH_1}")
  endforeach()
  compare("stdcall argument sizes" "${decorated}" "${expected_decorated}")
endif()

list(LENGTH actual count)
message(STATUS "${DLL}: ${count} exports as expected")
