# Shared helpers for the subsystem lists.

set(LUMEKO_WARNINGS -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)

# lumeko_library(name SOURCES... [LIBS ...]): a static library of one subsystem.
function(lumeko_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${LUMEKO_ROOT}/src)
  target_compile_options(${name} PRIVATE ${LUMEKO_WARNINGS})
  if(A_LIBS)
    target_link_libraries(${name} PUBLIC ${A_LIBS})
  endif()
  if(WIN32)
    target_compile_definitions(${name} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
endfunction()

# Windows executables carry their runtime: a user's machine (and Wine) has no
# mingw DLLs.
function(lumeko_static_runtime target)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# lumeko_test(name SOURCES... LIBS ...): one ctest entry per test binary, so a
# run under Wine pays the start-up once per binary, not once per case.
function(lumeko_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${LUMEKO_ROOT}/src ${LUMEKO_ROOT}/tests)
  target_compile_options(${name} PRIVATE ${LUMEKO_WARNINGS})
  target_link_libraries(${name} PRIVATE ${A_LIBS} lumeko_test_support GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE LUMEKO_SOURCE_DIR="${LUMEKO_ROOT}")
  if(WIN32)
    target_compile_definitions(${name} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
  lumeko_static_runtime(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${LUMEKO_ROOT})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
