# x86_64-w64-mingw32: the build that 64-bit Office loads and that runs here under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TANDRY_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
