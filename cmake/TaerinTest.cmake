# taerin_add_test(name [THREADED] SOURCES a.cpp b.cpp LIBS lib...)
# One GoogleTest executable registered with CTest; it runs headless and
# silent (tests/support/test_environment.cpp).
# THREADED tests drive threads of the engine or plug-in: they carry the CTest
# label "threads" and are built by the target threaded_tests (the TSan run).
find_package(GTest REQUIRED)
include(GoogleTest)
if(NOT TARGET threaded_tests)
  add_custom_target(threaded_tests)
endif()
function(taerin_add_test name)
  cmake_parse_arguments(T "THREADED" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/test_environment.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    TAERIN_CONFORMANCE_DIR="${TAERIN_CONFORMANCE_DIR}"
    TAERIN_DEMO_TRACK="${TAERIN_DEMO_TRACK}"
    TAERIN_ISO_TABLES_DIR="${TAERIN_ISO_TABLES_DIR}"
    TAERIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set(label "")
  if(T_THREADED)
    add_dependencies(threaded_tests ${name})
    set(label PROPERTIES LABELS threads)
  endif()
  gtest_discover_tests(${name} ${label} DISCOVERY_TIMEOUT 60)
endfunction()
