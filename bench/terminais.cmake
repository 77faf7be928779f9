tavren_bench(bench_terminais ${CMAKE_CURRENT_LIST_DIR}/terminais.cpp DEPS shell print export)

# scripts/check-share on a scratch folder of this machine: the lock probe and two terminals for
# a second, so the test run checks the script an office runs on its share (docs/check-share.md).
if(TAVREN_TESTS)
  add_test(NAME check-share.smoke
           COMMAND sh -c "d=$(mktemp -d /tmp/cs-XXXXXX) && \"$0\" --terminais=2 --segundos=1 --contribuintes=40 \"$d\"; r=$?; rm -rf \"$d\"; exit $r"
                   ${PROJECT_SOURCE_DIR}/scripts/check-share)
  set_tests_properties(check-share.smoke PROPERTIES ENVIRONMENT "TAVREN_BENCH_TERMINAIS=$<TARGET_FILE:bench_terminais>"
                       PASS_REGULAR_EXPRESSION ": safe to share" TIMEOUT 300)
endif()
