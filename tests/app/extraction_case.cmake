# One extraction through the windows, checked from outside: dialog_driver
# runs the steps against the probed application, then every file the
# folder holds is compared byte for byte with the archive, nothing may lie
# anywhere else, and the archive must be intact (or gone, when it was to be
# deleted).
#   cmake -DEMULATOR=... -DDRIVER=... -DPROBED=... -DARCHIVE=... -DCASE=NAME
#         -DSTEPS=... -DTRACKS=... -DKEPT=1|0 [-DIN_FOLDER=1] [-DREADONLY=NAME]
#         -DROOT=... -P extraction_case.cmake
# The case works in "C:\tq extract\NAME" of the Wine prefix that
# scripts/wine-run uses (TAV_WINE_STATE, else ROOT/build/wine), where the
# folder browser can walk: the archive copy there, the chosen folder "out"
# beside it (IN_FOLDER: the archive inside it). STEPS are the driver's
# arguments separated by "^^", with @ARCHIVE@, @WORK@ and @OUT@ standing
# for their DOS paths. TRACKS lists "NAME=OFFSET+BYTES" per file written.
# READONLY names a read-only file put into the folder first; it must keep
# its bytes.
set(state "${ROOT}/build/wine")
if(DEFINED ENV{TAV_WINE_STATE})
  set(state "$ENV{TAV_WINE_STATE}")
endif()
set(work "${state}/prefix/drive_c/tq extract/${CASE}")
set(work_dos "C:\\tq extract\\${CASE}")
file(REMOVE_RECURSE "${work}")
set(out "${work}/out")
file(MAKE_DIRECTORY "${out}")
get_filename_component(archive_name "${ARCHIVE}" NAME)
if(IN_FOLDER)
  set(archive_copy "${out}/${archive_name}")
  set(archive_dos "${work_dos}\\out\\${archive_name}")
else()
  set(archive_copy "${work}/${archive_name}")
  set(archive_dos "${work_dos}\\${archive_name}")
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
string(REPLACE "@OUT@" "${work_dos}\\out" steps "${steps}")
string(REPLACE "@WORK@" "${work_dos}" steps "${steps}")
string(REPLACE "^^" ";" steps "${steps}")
# The browser opens at the program's current directory: the case's folder.
execute_process(COMMAND ${EMULATOR} "${DRIVER}" --timeout 150000 ${steps} -- "${PROBED}" "${archive_dos}"
  WORKING_DIRECTORY "${work}" RESULT_VARIABLE rc OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dialog_driver: ${said}")
endif()

string(REPLACE "^^" ";" tracks "${TRACKS}")
foreach(track IN LISTS tracks)
  if(NOT track MATCHES "^(.*)=([0-9]+)\\+([0-9]+)$")
    message(FATAL_ERROR "bad table entry: ${track}")
  endif()
  set(file "${out}/${CMAKE_MATCH_1}")
  set(offset "${CMAKE_MATCH_2}")
  set(bytes "${CMAKE_MATCH_3}")
  list(APPEND expected_files "${file}")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "\"${CMAKE_MATCH_1}\" was not written")
  endif()
  file(SIZE "${file}" size)
  if(NOT size EQUAL bytes)
    message(FATAL_ERROR "\"${file}\" has ${size} bytes, expected ${bytes}")
  endif()
  if(bytes GREATER 0)
    file(READ "${file}" got HEX)
    file(READ "${ARCHIVE}" want OFFSET ${offset} LIMIT ${bytes} HEX)
    if(NOT got STREQUAL want)
      message(FATAL_ERROR "\"${file}\" differs from the archive's bytes ${offset} to ${offset}+${bytes}")
    endif()
  endif()
endforeach()

file(GLOB_RECURSE written LIST_DIRECTORIES false "${work}/*")
list(SORT written)
list(SORT expected_files)
if(NOT written STREQUAL expected_files)
  message(FATAL_ERROR "files differ:\n expected ${expected_files}\n found    ${written}")
endif()
if(KEPT)
  file(SHA256 "${archive_copy}" after)
  if(NOT after STREQUAL archive_sum)
    message(FATAL_ERROR "the archive was changed")
  endif()
endif()
if(READONLY)
  file(READ "${readonly_file}" left)
  if(NOT left STREQUAL "kept as it was")
    message(FATAL_ERROR "the read-only \"${READONLY}\" was overwritten")
  endif()
endif()
