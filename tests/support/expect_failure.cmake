# Runs dialog_driver under the emulator and passes only when it fails the
# way it should: exit code 1 and MESSAGE somewhere in its output.
#   cmake -DEMULATOR=... -DDRIVER=... -DMESSAGE=... -P expect_failure.cmake -- ARGS...
set(args "")
set(seen_separator FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(seen_separator)
    list(APPEND args "${CMAKE_ARGV${i}}")
  elseif("${CMAKE_ARGV${i}}" STREQUAL "--")
    set(seen_separator TRUE)
  endif()
endforeach()

execute_process(COMMAND ${EMULATOR} ${DRIVER} ${args}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "dialog_driver exited with '${rc}', expected 1")
endif()
string(FIND "${out}" "${MESSAGE}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "dialog_driver did not say: ${MESSAGE}")
endif()
