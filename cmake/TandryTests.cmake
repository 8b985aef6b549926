# What each of the three configurations builds and how its tests run.
#   native: portable code only, tested with GoogleTest under ASan and UBSan.
#   win64:  the DLLs, the stand-in program and the Windows tests, run under Wine.
#   win32:  the DLLs only; this machine cannot run them, so only their exports are checked.
include(GoogleTest)

set(TANDRY_NATIVE OFF)
set(TANDRY_WINDOWS OFF)
set(TANDRY_WINDOWS_TESTS OFF)
if(WIN32)
  set(TANDRY_WINDOWS ON)
  enable_language(RC)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TANDRY_WINDOWS_TESTS ON)
    set(TANDRY_ARCH win64)
  else()
    set(TANDRY_ARCH win32)
  endif()
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
else()
  set(TANDRY_NATIVE ON)
  set(TANDRY_ARCH native)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(TANDRY_NATIVE OR TANDRY_WINDOWS_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# Native unit tests: one CTest test per GoogleTest case.
function(tandry_native_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock_main)
  gtest_discover_tests(${name} TEST_PREFIX "native.${name}." DISCOVERY_TIMEOUT 30
                       PROPERTIES TIMEOUT 60)
endfunction()

if(TANDRY_WINDOWS_TESTS)
  # One display, one Wine prefix and one wineserver for the whole run, started and stopped by
  # CTest fixtures; every Windows test runs through the bench's wrapper.
  set(TANDRY_WINE_BENCH ${CMAKE_BINARY_DIR}/winebench)
  set(TANDRY_WINE_ENV ${CMAKE_SOURCE_DIR}/scripts/wine-env.sh)
  add_test(NAME win64.bench.start COMMAND ${TANDRY_WINE_ENV} start ${TANDRY_WINE_BENCH})
  add_test(NAME win64.bench.stop COMMAND ${TANDRY_WINE_ENV} stop ${TANDRY_WINE_BENCH})
  set_tests_properties(win64.bench.start PROPERTIES FIXTURES_SETUP wine_bench TIMEOUT 120)
  set_tests_properties(win64.bench.stop PROPERTIES FIXTURES_CLEANUP wine_bench TIMEOUT 60)
endif()

# Command prefix that runs a Windows program on the test bench.
set(TANDRY_WINE_RUN ${TANDRY_WINE_ENV} run ${TANDRY_WINE_BENCH})

# A Windows GoogleTest program, run under Wine as one CTest test. Windows tests share one desktop
# (foreground window, hot keys, global atoms), so they never run at the same time.
function(tandry_wine_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock_main)
  add_test(NAME win64.${name} COMMAND ${TANDRY_WINE_RUN} $<TARGET_FILE:${name}>
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(win64.${name} PROPERTIES FIXTURES_REQUIRED wine_bench
                       RESOURCE_LOCK wine_desktop TIMEOUT ${T_TIMEOUT})
endfunction()

# Windows DLL with undecorated stdcall exports in both builds: on i686 the exported names lose
# their @N suffix at link time, and the import library is made again so that stdcall callers,
# who ask for Name@N, still link against it (see StdcallImportLibrary.cmake). The link's list of
# Name@N is kept in the target's property TANDRY_EXPORTS_DEF for the export checks.
function(tandry_windows_dll name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}-exports.def)
    target_link_options(${name} PRIVATE -Wl,--kill-at -Wl,--output-def,${def})
    set_target_properties(${name} PROPERTIES TANDRY_EXPORTS_DEF ${def})
    add_custom_command(TARGET ${name} POST_BUILD
                       COMMAND ${CMAKE_COMMAND} -DDLLTOOL=${CMAKE_DLLTOOL} -DDEF=${def}
                               -DDLL_NAME=${name}.dll -DIMPLIB=$<TARGET_LINKER_FILE:${name}>
                               -P ${PROJECT_SOURCE_DIR}/cmake/StdcallImportLibrary.cmake
                       VERBATIM)
  endif()
endfunction()
