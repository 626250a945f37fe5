# One batch extraction of the table in CMakeLists.txt, checked from outside:
# the exit status (through dialog_driver, which also fails on any box), the
# report, every file byte for byte against the archive, nothing written
# anywhere else, and the archive untouched.
#   cmake -DEMULATOR=... -DDRIVER=... -DRUNNER=... -DARCHIVE=... -DWORK=...
#         -DEXIT=N -DIN_FOLDER=0|1 -DTRACKS=... -P batch_case.cmake
# TRACKS lists the report's lines, separated by "^^": "NAME=OFFSET+BYTES" for
# a track written (its file holds those bytes of the archive) and
# "TITLE!REASON" for one refused. EXIT 2 expects the one line
# "ARCHIVE-NAME\trefused: ..." given as "!REASON".
include("${CMAKE_CURRENT_LIST_DIR}/track_file_check.cmake")
file(REMOVE_RECURSE "${WORK}")
set(out "${WORK}/nest/out")
get_filename_component(archive_name "${ARCHIVE}" NAME)
if(IN_FOLDER)
  set(archive_copy "${out}/${archive_name}")
else()
  set(archive_copy "${WORK}/nest/${archive_name}")
endif()
get_filename_component(copy_dir "${archive_copy}" DIRECTORY)
file(MAKE_DIRECTORY "${copy_dir}")
if(IS_DIRECTORY "${ARCHIVE}")
  file(MAKE_DIRECTORY "${archive_copy}")
elseif(EXISTS "${ARCHIVE}")
  file(COPY_FILE "${ARCHIVE}" "${archive_copy}")
  file(SHA256 "${archive_copy}" archive_sum)
endif()

function(dos out path)
  string(REPLACE "/" "\\" d "${path}")
  set(${out} "Z:${d}" PARENT_SCOPE)
endfunction()
dos(archive_dos "${archive_copy}")
dos(out_dos "${out}")

execute_process(COMMAND ${EMULATOR} "${DRIVER}" --no-box --expect-exit ${EXIT} --
    "${RUNNER}" /extract "${archive_dos}" "${out_dos}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dialog_driver: ${said}")
endif()

set(expected_report "")
set(expected_files "${out}/extract-report.txt")
if(EXISTS "${archive_copy}" AND NOT IS_DIRECTORY "${archive_copy}")
  list(APPEND expected_files "${archive_copy}")
endif()
string(REPLACE "^^" ";" tracks "${TRACKS}")
foreach(track IN LISTS tracks)
  if(track MATCHES "^([^!]*)!(.*)$")
    set(title "${CMAKE_MATCH_1}")
    if(EXIT EQUAL 2)
      set(title "${archive_name}")
    endif()
    string(APPEND expected_report "${title}\trefused: ${CMAKE_MATCH_2}\r\n")
  elseif(track MATCHES "^(.*)=([0-9]+)\\+([0-9]+)$")
    set(name "${CMAKE_MATCH_1}")
    set(offset "${CMAKE_MATCH_2}")
    set(bytes "${CMAKE_MATCH_3}")
    string(APPEND expected_report "${name}\t${bytes} bytes\r\n")
    list(APPEND expected_files "${out}/${name}")
    check_track_file("${out}" "${name}" "${archive_copy}" ${offset} ${bytes})
  else()
    message(FATAL_ERROR "bad table entry: ${track}")
  endif()
endforeach()

# Compared as bytes: the lines end in CR LF.
file(READ "${out}/extract-report.txt" report_hex HEX)
string(HEX "${expected_report}" expected_hex)
# The report is in the Windows code page, the table in UTF-8: é is E9 there.
string(REPLACE "c3a9" "e9" expected_hex "${expected_hex}")
if(NOT report_hex STREQUAL expected_hex)
  file(READ "${out}/extract-report.txt" report)
  message(FATAL_ERROR "report differs:\n--- expected\n${expected_report}--- written\n${report}---")
endif()

check_only_these_files("${WORK}" "${expected_files}" "${archive_copy}" "${archive_sum}")
