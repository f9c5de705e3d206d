# Helpers for declaring the project's targets the same way in both trees.

# A library of the portable core or of the Win32 shell.
#   hiyomi_library(name SOURCES ... [LIBS ...] [WINDOWS_ONLY])
function(hiyomi_library name)
  cmake_parse_arguments(A "WINDOWS_ONLY" "" "SOURCES;LIBS" ${ARGN})
  if(A_WINDOWS_ONLY AND NOT WIN32)
    return()
  endif()
  add_library(${name} STATIC ${A_SOURCES})
  target_link_libraries(${name} PUBLIC ${A_LIBS})
  target_compile_options(${name} PRIVATE -fno-exceptions)
endfunction()

# A GoogleTest program, registered with CTest as one test. In the Windows
# tree CTest runs it under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
#   hiyomi_gtest(name SOURCES ... [LIBS ...] [WINDOWS_ONLY] [NATIVE_ONLY])
function(hiyomi_gtest name)
  cmake_parse_arguments(A "WINDOWS_ONLY;NATIVE_ONLY" "" "SOURCES;LIBS" ${ARGN})
  if(A_WINDOWS_ONLY AND NOT WIN32)
    return()
  endif()
  if(A_NATIVE_ONLY AND WIN32)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  # Tests find their own fixtures and temporary folders relative to this.
  set_tests_properties(${name} PROPERTIES
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    TIMEOUT 600)
endfunction()
