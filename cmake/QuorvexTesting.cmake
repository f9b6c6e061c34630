# qvx_add_gtest(<name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>] [TIMEOUT <s>])
#
# Builds a GoogleTest executable into build/tests and registers it with CTest.
# CTest runs it through the Wine emulator script (CMAKE_CROSSCOMPILING_EMULATOR).
function(qvx_add_gtest name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  # Helpers every test executable may use are in tests/common, included from the repository root.
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QVX_TEST_OUTPUT_DIR})
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no
           WORKING_DIRECTORY ${QVX_TEST_OUTPUT_DIR})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
endfunction()
