# Fails when the program imports one of the named DLLs.  -DPROGRAM=... -DFORBIDDEN=a.dll;b.dll
execute_process(COMMAND x86_64-w64-mingw32-objdump -p ${PROGRAM}
                OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump could not read ${PROGRAM}")
endif()
string(TOLOWER "${dump}" dump)
foreach(dll IN LISTS FORBIDDEN)
  if(dump MATCHES "dll name: ${dll}")
    message(FATAL_ERROR "${PROGRAM} imports ${dll}")
  endif()
endforeach()
message(STATUS "${PROGRAM} imports none of ${FORBIDDEN}")
