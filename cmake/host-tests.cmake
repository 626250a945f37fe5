add_host_test(tavoc_tests compiler/tests/tavoc_tests)
