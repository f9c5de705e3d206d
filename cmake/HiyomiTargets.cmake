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

# A small Windows program of its own with its resource script (Kivrel,
# Setup); the resources are an object library that its tests link as well.
#   hiyomi_program(target OUTPUT_NAME name RC script SOURCES ... LIBS ...)
function(hiyomi_program target)
  cmake_parse_arguments(A "" "OUTPUT_NAME;RC" "SOURCES;LIBS" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  add_library(${target}_resources OBJECT ${A_RC})
  target_include_directories(${target}_resources PRIVATE ${CMAKE_SOURCE_DIR})
  add_executable(${target} WIN32 ${A_SOURCES} $<TARGET_OBJECTS:${target}_resources>)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${A_OUTPUT_NAME})
  target_link_libraries(${target} PRIVATE ${A_LIBS})
  target_compile_options(${target} PRIVATE -fno-exceptions)
endfunction()
