# veloria_add_test(NAME SOURCES file... LIBS target... [ENV VAR=VALUE...] [LABELS label...])
# One test program per tested unit; it runs headless with the shared test main.
function(veloria_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE veloria_test_support ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set(env "QT_QPA_PLATFORM=offscreen" "VELORIA_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data-files"
          "VELORIA_SOURCE_DIR=${PROJECT_SOURCE_DIR}" ${ARG_ENV})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "${ARG_LABELS}" TIMEOUT 600)
endfunction()
