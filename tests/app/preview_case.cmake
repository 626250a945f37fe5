# One preview scenario: dialog_driver runs the steps against the probed
# extractor, with the preferences folder (the Windows folder) and the
# temporary folder cleared of earlier preview files first and afterwards.
#   cmake -DEMULATOR=... -DDRIVER=... -DSTEPS=... [-DREAD_ONLY=1] [-DTAKEN=N]
#         -P preview_case.cmake
# STEPS: the driver's arguments, separated by "^^". READ_ONLY makes the
# preferences folder refuse new files meanwhile (skipped where that cannot
# be done); TAKEN fills the names pl1000.mp3 upwards with N empty files
# there, which a preview must leave alone.
cmake_minimum_required(VERSION 3.20)

# The two folders as this machine sees them, from Wine itself.
execute_process(COMMAND ${EMULATOR} cmd /c winepath -u "%windir%" "%TEMP%"
  RESULT_VARIABLE rc OUTPUT_VARIABLE folders ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REPLACE "\r" "" folders "${folders}")
string(REPLACE "\n" ";" folders "${folders}")
list(LENGTH folders found)
if(NOT rc EQUAL 0 OR NOT found EQUAL 2)
  message(FATAL_ERROR "cannot find the Windows and temporary folders: ${folders}")
endif()
list(GET folders 0 preferences)

function(clear_previews)
  foreach(folder IN LISTS folders)
    file(GLOB left "${folder}/pl*.mp3")
    list(FILTER left INCLUDE REGEX "/pl[0-9][0-9][0-9][0-9]\\.mp3$")
    if(left)
      file(REMOVE ${left})
    endif()
  endforeach()
endfunction()

# chattr as root (whom permissions do not stop), chmod otherwise.
function(set_read_only wanted)
  execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(uid STREQUAL "0")
    if(wanted)
      set(flag +i)
    else()
      set(flag -i)
    endif()
    execute_process(COMMAND chattr ${flag} "${preferences}" RESULT_VARIABLE ignored ERROR_QUIET)
  elseif(wanted)
    execute_process(COMMAND chmod a-w "${preferences}")
  else()
    execute_process(COMMAND chmod u+w "${preferences}")
  endif()
endfunction()

clear_previews()
if(TAKEN)
  math(EXPR last "1000 + ${TAKEN} - 1")
  set(taken "")
  foreach(n RANGE 1000 ${last})
    list(APPEND taken "${preferences}/pl${n}.mp3")
  endforeach()
  file(TOUCH ${taken})
endif()
if(READ_ONLY)
  set_read_only(ON)
  execute_process(COMMAND touch "${preferences}/pl-probe.mp3" RESULT_VARIABLE writable ERROR_QUIET)
  if(writable EQUAL 0)
    file(REMOVE "${preferences}/pl-probe.mp3")
    set_read_only(OFF)
    message("skipped: cannot make the preferences folder read-only here")
    return()
  endif()
endif()

string(REPLACE "^^" ";" steps "${STEPS}")
execute_process(COMMAND ${EMULATOR} --timeout 200 "${DRIVER}" --timeout 150000 ${steps}
  RESULT_VARIABLE rc OUTPUT_VARIABLE said ERROR_VARIABLE said)

if(READ_ONLY)
  set_read_only(OFF)
endif()
if(TAKEN)
  file(REMOVE ${taken})
endif()
clear_previews()
message("${said}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dialog_driver failed (${rc})")
endif()
