add_host_test(tavoc_tests compiler/tests/tavoc_tests)
add_host_test(tqwrite_tests archivewriter/tests/tqwrite_tests)
# The compiler's tests time how compiling grows with the names in a program;
# a program starting under the emulator beside them skews that, so they run
# alone.
set_tests_properties(tavoc_tests PROPERTIES RUN_SERIAL TRUE)
