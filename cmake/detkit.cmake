# Helpers shared by every folder: one library per src/ folder, one test
# executable per module, one benchmark program per file.

set(DETKIT_WARNINGS -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor)

# detkit_module(<folder> SOURCES ... DEPS ...): the library detkit_<folder>.
function(detkit_module name)
  cmake_parse_arguments(M "" "" "SOURCES;DEPS" ${ARGN})
  add_library(detkit_${name} STATIC ${M_SOURCES})
  target_include_directories(detkit_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(detkit_${name} PRIVATE ${DETKIT_WARNINGS})
  target_link_libraries(detkit_${name} PUBLIC ${M_DEPS})
endfunction()

# detkit_test(<name> SOURCES ... DEPS ... [GUI|WIDGETS]): a GoogleTest
# executable registered with CTest. GUI/WIDGETS give it a main() that creates
# the Qt application object on the offscreen platform first.
function(detkit_test name)
  cmake_parse_arguments(T "GUI;WIDGETS" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_compile_options(${name} PRIVATE ${DETKIT_WARNINGS})
  if(T_WIDGETS)
    target_link_libraries(${name} PRIVATE detkit_test_main_widgets)
  elseif(T_GUI)
    target_link_libraries(${name} PRIVATE detkit_test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  endif()
  target_link_libraries(${name} PRIVATE ${T_DEPS} GTest::gtest GTest::gmock)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp"
    TIMEOUT 120)
endfunction()

# detkit_bench(<name> SOURCES ... DEPS ...): a Google Benchmark program.
function(detkit_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_compile_options(${name} PRIVATE ${DETKIT_WARNINGS})
  target_link_libraries(${name} PRIVATE ${B_DEPS} benchmark::benchmark)
endfunction()
