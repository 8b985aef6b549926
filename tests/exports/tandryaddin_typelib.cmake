# Checks that tandryaddin.dll carries the type library widl made for its build, and that the
# library was made for that build's platform (widl's i686 run reads a 64-bit stdole2.tlb).
#   cmake -DDLL=... -DTLB=... -DSYSKIND=1|3 -P    (1: 32-bit Windows, 3: 64-bit Windows)
file(READ ${TLB} library HEX)
string(SUBSTRING "${library}" 0 8 magic)
if(NOT magic STREQUAL "4d534654")  # "MSFT"
  message(FATAL_ERROR "${TLB} is no type library")
endif()
# The header's flags word at byte 20: its low nibble is the platform the library was made for.
string(SUBSTRING "${library}" 41 1 syskind)
if(NOT syskind STREQUAL SYSKIND)
  message(FATAL_ERROR "${TLB} is for platform ${syskind}, expected ${SYSKIND}")
endif()
file(READ ${DLL} image HEX)
string(FIND "${image}" "${library}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "${DLL} does not carry ${TLB}")
endif()
message(STATUS "${DLL} carries its platform's type library")
