# taerin_add_test(name SOURCES a.cpp b.cpp LIBS lib...)
# One GoogleTest executable registered with CTest; GUI tests run offscreen.
find_package(GTest REQUIRED)
include(GoogleTest)
function(taerin_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    TAERIN_CONFORMANCE_DIR="${TAERIN_CONFORMANCE_DIR}"
    TAERIN_DEMO_TRACK="${TAERIN_DEMO_TRACK}"
    TAERIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZELKOR_AUDIO=null"
    DISCOVERY_TIMEOUT 60)
endfunction()
