add_host_test(tavoc_tests compiler/tests/tavoc_tests)
add_host_test(tqwrite_tests archivewriter/tests/tqwrite_tests)
