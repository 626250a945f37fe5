# One extraction through the windows, checked from outside: dialog_driver
# runs the steps against the probed application, then every file the
# folder holds is compared byte for byte with the archive, nothing may lie
# anywhere else, and the archive must be intact (or gone, when it was to be
# deleted).
#   cmake -DEMULATOR=... -DDRIVER=... -DPROBED=... -DARCHIVE=...
#         -DSTEPS=... -DTRACKS=... -DKEPT=1|0 [-DIN_FOLDER=1] [-DREADONLY=NAME]
#         -DROOT=... -P extraction_case.cmake
# Every case works in "C:\tq extract" of the Wine prefix that
# scripts/wine-run uses (TAV_WINE_STATE, else ROOT/build/wine), where the
# folder browser can walk: the archive copy in "nest", the chosen folder
# "nest\out" (IN_FOLDER: the archive inside it), so that a name climbing
# two levels up still lands where the check looks. STEPS are the driver's
# arguments separated by "^^", with @ARCHIVE@ and @OUT@ standing for their
# DOS paths. TRACKS lists "NAME=OFFSET+BYTES" per file written.
# READONLY names a read-only file put into the folder first; it must keep
# its bytes.
#   cmake -DEMULATOR=... -DDRIVER=... -DBROWSER=... -DROOT=... -DWARM_UP=1 -P ...
# makes the folders and lets the browser (the folder plugin's test program)
# open in them twice: until then a browser may not find folders this new.
cmake_minimum_required(VERSION 3.20)
include("${CMAKE_CURRENT_LIST_DIR}/track_file_check.cmake")
set(state "${ROOT}/build/wine")
if(DEFINED ENV{TAV_WINE_STATE})
  set(state "$ENV{TAV_WINE_STATE}")
endif()
set(work "${state}/prefix/drive_c/tq extract")
set(work_dos "C:\\tq extract")
set(out "${work}/nest/out")
set(out_dos "${work_dos}\\nest\\out")
file(MAKE_DIRECTORY "${out}")
if(WARM_UP)
  foreach(round 1 2)
    execute_process(COMMAND ${EMULATOR} "${DRIVER}" --folder-browser "||Cancel" --box "Message|nil|OK"
        --box "Message|leaks 0 0|OK" -- "${BROWSER}"
      WORKING_DIRECTORY "${out}" RESULT_VARIABLE rc OUTPUT_VARIABLE said ERROR_VARIABLE said)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "dialog_driver: ${said}")
    endif()
  endforeach()
  return()
endif()
# The folders stay from case to case, emptied.
file(GLOB_RECURSE left_over LIST_DIRECTORIES false "${work}/*")
if(left_over)
  file(REMOVE ${left_over})
endif()
get_filename_component(archive_name "${ARCHIVE}" NAME)
if(IN_FOLDER)
  set(archive_copy "${out}/${archive_name}")
  set(archive_dos "${out_dos}\\${archive_name}")
else()
  set(archive_copy "${work}/nest/${archive_name}")
  set(archive_dos "${work_dos}\\nest\\${archive_name}")
endif()
file(COPY_FILE "${ARCHIVE}" "${archive_copy}")
file(SHA256 "${archive_copy}" archive_sum)
set(expected_files "")
if(KEPT)
  list(APPEND expected_files "${archive_copy}")
endif()
if(READONLY)
  set(readonly_file "${out}/${READONLY}")
  file(WRITE "${readonly_file}" "kept as it was")
  file(CHMOD "${readonly_file}" PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
  list(APPEND expected_files "${readonly_file}")
endif()

string(REPLACE "@ARCHIVE@" "${archive_dos}" steps "${STEPS}")
string(REPLACE "@OUT@" "${out_dos}" steps "${steps}")
string(REPLACE "^^" ";" steps "${steps}")
execute_process(COMMAND ${EMULATOR} "${DRIVER}" --timeout 150000 ${steps} -- "${PROBED}" "${archive_dos}"
  WORKING_DIRECTORY "${out}" RESULT_VARIABLE rc OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dialog_driver: ${said}")
endif()

string(REPLACE "^^" ";" tracks "${TRACKS}")
foreach(track IN LISTS tracks)
  if(NOT track MATCHES "^(.*)=([0-9]+)\\+([0-9]+)$")
    message(FATAL_ERROR "bad table entry: ${track}")
  endif()
  list(APPEND expected_files "${out}/${CMAKE_MATCH_1}")
  check_track_file("${out}" "${CMAKE_MATCH_1}" "${ARCHIVE}" ${CMAKE_MATCH_2} ${CMAKE_MATCH_3})
endforeach()

if(NOT KEPT)
  set(archive_sum "")
endif()
check_only_these_files("${work}" "${expected_files}" "${archive_copy}" "${archive_sum}")
if(READONLY)
  file(READ "${readonly_file}" left)
  if(NOT left STREQUAL "kept as it was")
    message(FATAL_ERROR "the read-only \"${READONLY}\" was overwritten")
  endif()
endif()
