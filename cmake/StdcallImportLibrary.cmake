# Rewrites an i686 DLL's import library so that stdcall callers can link against it.
#   cmake -DDLLTOOL=... -DDEF=<def written by ld --output-def> -DDLL_NAME=x.dll -DIMPLIB=... -P
# With --kill-at, ld's own import library names the functions without their @N, while a stdcall
# caller asks for _imp__Name@N. dlltool --kill-at makes one whose symbols keep the @N and whose
# imports go by the plain names the DLL exports.
file(STRINGS ${DEF} lines REGEX "=")
set(def "EXPORTS\n")
foreach(line IN LISTS lines)
  if(line MATCHES "= *([A-Za-z0-9_]+@[0-9]+)")
    string(APPEND def "    ${CMAKE_MATCH_1}\n")
  endif()
endforeach()
file(WRITE ${DEF}.stdcall "${def}")
execute_process(COMMAND ${DLLTOOL} --kill-at --def ${DEF}.stdcall --dllname ${DLL_NAME}
                        --output-lib ${IMPLIB}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dlltool could not write ${IMPLIB}")
endif()
