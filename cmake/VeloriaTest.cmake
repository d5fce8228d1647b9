# veloria_add_test(NAME SOURCES file... LIBS target... [ENV VAR=VALUE...] [LABELS label...] [OWN_MAIN])
# One test program per tested unit; it runs headless, with the shared test main unless OWN_MAIN is given.
function(veloria_add_test name)
  cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE veloria_test_support ${ARG_LIBS})
  if(NOT ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE veloria_test_main)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set(env "QT_QPA_PLATFORM=offscreen" "VELORIA_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
          "VELORIA_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data-files" ${ARG_ENV})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "${ARG_LABELS}" TIMEOUT 600)
endfunction()
