# i686-w64-mingw32: the 32-bit stdcall build. This machine cannot run it; it is built and its exports checked.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TANDRY_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
