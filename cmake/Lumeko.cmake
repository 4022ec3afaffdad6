# Shared helpers for the subsystem lists.

# Warnings for the compilers we build with; another compiler gets its own
# defaults rather than flags it does not know.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(LUMEKO_WARNINGS -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
elseif(MSVC)
  set(LUMEKO_WARNINGS /W4 /utf-8)
else()
  set(LUMEKO_WARNINGS "")
endif()

# The layers of src/: each folder may include only itself and the folders
# named here (what lies below it). The build enforces it: a library is
# compiled with an include root that holds just those folders, so an upward
# include is a missing header. tests, tools, bench and fuzz stand above all.
set(LUMEKO_LAYER_platform "")
set(LUMEKO_LAYER_lyrics platform)
set(LUMEKO_LAYER_regex platform)
set(LUMEKO_LAYER_settings platform)
set(LUMEKO_LAYER_render settings lyrics platform)
set(LUMEKO_LAYER_search regex lyrics platform)
set(LUMEKO_LAYER_ui render settings lyrics platform)
set(LUMEKO_LAYER_effect ui render search settings regex lyrics platform)
set(LUMEKO_LAYERS platform lyrics regex settings render search ui effect)

# The include root of one folder: a directory of links to the folders it may
# use. Where the file system cannot link, the whole tree is the root and the
# layering test, which reads every include, still catches a wrong one.
function(lumeko_include_root folder out)
  set(root ${CMAKE_BINARY_DIR}/include_roots/${folder})
  set(wanted "${folder};${LUMEKO_LAYER_${folder}}")
  set(made "")
  if(EXISTS ${root}/.made)
    file(READ ${root}/.made made)
  endif()
  if(NOT made STREQUAL wanted)
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root})
    foreach(dep ${wanted})
      file(CREATE_LINK ${LUMEKO_ROOT}/src/${dep} ${root}/${dep} RESULT linked SYMBOLIC)
      if(NOT linked EQUAL 0)
        message(WARNING "cannot link ${root}/${dep} (${linked}): ${folder} is compiled over all of src/")
        set(${out} ${LUMEKO_ROOT}/src PARENT_SCOPE)
        return()
      endif()
    endforeach()
    file(WRITE ${root}/.made "${wanted}")
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# lumeko_library(name FOLDER folder SOURCES... [LIBS ...]): a static library
# of one folder of src/, seeing only its layer.
function(lumeko_library name)
  cmake_parse_arguments(A "" "FOLDER" "SOURCES;LIBS" ${ARGN})
  if(NOT A_FOLDER)
    get_filename_component(A_FOLDER ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  endif()
  lumeko_include_root(${A_FOLDER} root)
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${root})
  target_compile_options(${name} PRIVATE ${LUMEKO_WARNINGS})
  if(A_LIBS)
    target_link_libraries(${name} PUBLIC ${A_LIBS})
  endif()
  if(WIN32)
    target_compile_definitions(${name} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
endfunction()

# Programs above the layers (tools, tests, benchmarks, fuzzers) see all of src/.
function(lumeko_sees_everything target)
  target_include_directories(${target} PRIVATE ${LUMEKO_ROOT}/src)
endfunction()

# Windows executables carry their runtime: a user's machine (and Wine) has no
# mingw DLLs.
function(lumeko_static_runtime target)
  if(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# A console program whose entry point is wmain (wide arguments).
function(lumeko_wide_main target)
  if(MINGW)
    target_compile_options(${target} PRIVATE -municode)
    target_link_options(${target} PRIVATE -municode)
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

# Tests whose effect objects draw frames or whose page signals a reload. The
# reload event is one named object for every process under the Wine server,
# and the first object to poll takes it: run side by side, one test's object
# would take another's reload. They take turns.
function(lumeko_uses_reload_event)
  set_tests_properties(${ARGN} PROPERTIES RESOURCE_LOCK lumeko_reload_event)
endfunction()
