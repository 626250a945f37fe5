# Extraction through the windows: the archive on the command line, tracks
# ticked, "Extract", the folder chosen in the shell's folder browser, the
# closing message; extraction_case.cmake then checks the folder and the
# archive from outside.
#
# add_extraction_case(name archive MESSAGE text [DELETE] [IN_FOLDER]
#   [READONLY file] [TICK steps...] [TRACKS NAME=OFFSET+BYTES...]):
# TICK replaces "Select All" with other steps before "Extract"; DELETE ticks
# "Delete archive when done" first; MESSAGE is the closing box's text.
set(select_all --left-click 215,246)
set(extract --left-click 305,246)
set(delete_when_done --left-click 25,245)
function(add_extraction_case name archive)
  cmake_parse_arguments(PARSE_ARGV 2 arg "DELETE;IN_FOLDER;KEEPS" "MESSAGE;READONLY" "TICK;TRACKS")
  set(tick ${select_all})
  if(arg_TICK)
    set(tick ${arg_TICK})
  endif()
  set(kept 1)
  if(arg_DELETE)
    list(PREPEND tick ${delete_when_done})
    if(NOT arg_KEEPS)
      set(kept 0)
    endif()
  endif()
  set(steps ${main_ready} --touch ${probe_dir}\\probe-start ${tick} ${extract}
    --folder-browser "|@OUT@|OK" --box "Message|${arg_MESSAGE}|OK"
    --window "${main}" ${leaks} --close --wait-exit)
  list(JOIN steps "^^" steps)
  list(JOIN arg_TRACKS "^^" tracks)
  set(in_folder 0)
  if(arg_IN_FOLDER)
    set(in_folder 1)
  endif()
  add_test(NAME app.extract.${name}
    COMMAND "${CMAKE_COMMAND}" "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" "-DDRIVER=$<TARGET_FILE:dialog_driver>"
      "-DPROBED=${probed}" "-DARCHIVE=${archive}" "-DCASE=${name}" "-DSTEPS=${steps}" "-DTRACKS=${tracks}"
      "-DKEPT=${kept}" "-DIN_FOLDER=${in_folder}" "-DREADONLY=${arg_READONLY}" "-DROOT=${CMAKE_SOURCE_DIR}"
      -P "${CMAKE_CURRENT_SOURCE_DIR}/extraction_case.cmake")
  set_tests_properties(app.extract.${name} PROPERTIES RESOURCE_LOCK screen TIMEOUT 200)
endfunction()

set(complete "Extraction Complete!")
# One copy chunk exactly, a chunk and a final piece, an empty track between two.
add_extraction_case(one_chunk "${v}/exact-chunk.tqa" MESSAGE "${complete}"
  TRACKS "Exactly One Chunk.mp3=1838+262144")
add_extraction_case(chunk_and_piece "${v}/fractional-length.tqa" MESSAGE "${complete}"
  TRACKS "Fractional Length.mp3=1838+412336")
# "Delete archive when done": the archive goes once every track is written.
add_extraction_case(empty_track_then_delete "${v}/zero-length.tqa" DELETE MESSAGE "${complete}"
  TRACKS "Before.mp3=2840+5000" "Nothing At All.mp3=7840+0" "After.mp3=7840+5000")
