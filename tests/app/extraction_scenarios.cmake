# Extraction through the windows: the archive on the command line, tracks
# ticked, "Extract", the folder chosen in the shell's folder browser, the
# closing message; extraction_case.cmake then checks the folder and the
# archive from outside.
#
# add_extraction_case(name archive MESSAGE text [DELETE [KEEPS]] [REMOVED]
#   [IN_FOLDER] [READONLY file] [TICK steps...] [TRACKS NAME=OFFSET+BYTES...]):
# TICK replaces "Select All" with other steps before "Extract"; DELETE ticks
# "Delete archive when done" first, and the archive must be gone unless it
# KEEPS; REMOVED deletes the archive behind the program's back before
# "Extract"; MESSAGE is the closing box's text.
set(select_all --left-click 215,246)
set(extract --left-click 305,246)
set(delete_when_done --left-click 25,245)
function(add_extraction_case name archive)
  cmake_parse_arguments(PARSE_ARGV 2 arg "DELETE;KEEPS;REMOVED;IN_FOLDER" "MESSAGE;READONLY" "TICK;TRACKS")
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
  if(arg_REMOVED)
    list(APPEND tick --remove @ARCHIVE@)
    set(kept 0)
  endif()
  # The browser's first selection (the current folder) is the folder
  # plugin's tests' concern; here the folder is picked in it.
  # The count starts before the probe's own box, which may go a moment
  # after it closes.
  set(steps --touch ${probe_dir}\\probe-start ${main_ready} ${tick} ${extract}
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
      "-DPROBED=${probed}" "-DARCHIVE=${archive}" "-DSTEPS=${steps}" "-DTRACKS=${tracks}"
      "-DKEPT=${kept}" "-DIN_FOLDER=${in_folder}" "-DREADONLY=${arg_READONLY}" "-DROOT=${CMAKE_SOURCE_DIR}"
      -P "${CMAKE_CURRENT_SOURCE_DIR}/extraction_case.cmake")
  set_tests_properties(app.extract.${name} PROPERTIES RESOURCE_LOCK screen TIMEOUT 200
    FIXTURES_REQUIRED extraction_folders)
endfunction()

# The cases share one folder; a browser must have opened there before.
add_test(NAME app.extract.make_folders
  COMMAND "${CMAKE_COMMAND}" "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" "-DDRIVER=$<TARGET_FILE:dialog_driver>"
    "-DBROWSER=${CMAKE_BINARY_DIR}/tests/plugins/folder/folder-select_folder.exe" -DWARM_UP=1
    "-DROOT=${CMAKE_SOURCE_DIR}" -P "${CMAKE_CURRENT_SOURCE_DIR}/extraction_case.cmake")
set_tests_properties(app.extract.make_folders PROPERTIES RESOURCE_LOCK screen TIMEOUT 120
  FIXTURES_SETUP extraction_folders)

set(complete "Extraction Complete!")
# One copy chunk exactly, a chunk and a final piece, an empty track between two.
add_extraction_case(one_chunk "${v}/exact-chunk.tqa" MESSAGE "${complete}"
  TRACKS "Exactly One Chunk.mp3=1838+262144")
add_extraction_case(chunk_and_piece "${v}/fractional-length.tqa" MESSAGE "${complete}"
  TRACKS "Fractional Length.mp3=1838+412336")
# "Delete archive when done": the archive goes once every track is written.
add_extraction_case(empty_track_then_delete "${v}/zero-length.tqa" DELETE MESSAGE "${complete}"
  TRACKS "Before.mp3=2840+5000" "Nothing At All.mp3=7840+0" "After.mp3=7840+5000")

# The hostile archives of the writer: titles made safe inside the folder
# and the new names shown, records that point nowhere refused by title;
# nothing is written anywhere else and the archive stays as it was.
set(saved "${complete}\\n\\n\"")
set(refused "Not every track was extracted.\\n\\n\"")
set(past_end "its data lies past the end of the archive.")
add_extraction_case(title_dotdot "${h}/title-dotdot.tqa"
  MESSAGE "${saved}..\\\\..\\\\escaped.mp3\" was saved as \".._.._escaped.mp3\"." TRACKS ".._.._escaped.mp3=1838+2000")
add_extraction_case(title_backslash "${h}/title-backslash.tqa"
  MESSAGE "${saved}sub\\\\track.mp3\" was saved as \"sub_track.mp3\"." TRACKS "sub_track.mp3=1838+2000")
add_extraction_case(title_slash "${h}/title-slash.tqa"
  MESSAGE "${saved}left/right.mp3\" was saved as \"left_right.mp3\"." TRACKS "left_right.mp3=1838+2000")
add_extraction_case(title_colon "${h}/title-colon.tqa"
  MESSAGE "${saved}C:stream.mp3\" was saved as \"C_stream.mp3\"." TRACKS "C_stream.mp3=1838+2000")
add_extraction_case(title_con "${h}/title-con.tqa"
  MESSAGE "${saved}CON\" was saved as \"_CON\"." TRACKS "_CON=1838+2000")
add_extraction_case(title_nul "${h}/title-nul.tqa"
  MESSAGE "${saved}NUL.mp3\" was saved as \"_NUL.mp3\"." TRACKS "_NUL.mp3=1838+2000")
add_extraction_case(title_control "${h}/title-control.tqa"
  MESSAGE "${saved}bell?tab?esc?feed?.mp3\" was saved as \"bell_tab_esc_feed_.mp3\"."
  TRACKS "bell_tab_esc_feed_.mp3=1838+2000")
# The folder's path leaves room for the name the main window allows: 200
# characters before the first dot, and ".mp3".
string(REPEAT "x" 296 title_296)
string(REPEAT "x" 200 stem_200)
add_extraction_case(title_300 "${h}/title-300.tqa"
  MESSAGE "${saved}${title_296}.mp3\" was saved as \"${stem_200}.mp3\"." TRACKS "${stem_200}.mp3=1838+2000")
add_extraction_case(title_empty "${h}/title-empty.tqa"
  MESSAGE "${saved}(no title)\" was saved as \"_\"." TRACKS "_=1838+2000")
add_extraction_case(title_missing "${h}/title-missing.tqa"
  MESSAGE "${saved}(no title)\" was saved as \"_\"." TRACKS "_=1838+2000")
add_extraction_case(self_named "${h}/self-named.tqa" IN_FOLDER
  MESSAGE "${refused}self-named.tqa\" was not extracted: its file would replace the archive.")
add_extraction_case(count_huge "${h}/count-huge.tqa" MESSAGE "${complete}" TRACKS "Lonely.mp3=1838+1000")
add_extraction_case(nul_padding "${h}/nul-padding.tqa" MESSAGE "${complete}"
  TRACKS "One.mp3=2339+1000" "Two.mp3=3339+1000")
# Records that point nowhere: refused by title, nothing written; asked to
# delete the archive when done, the extractor keeps it and says so.
add_extraction_case(length_negative "${h}/length-negative.tqa"
  MESSAGE "${refused}Negative Length.mp3\" was not extracted: its length is negative.")
add_extraction_case(offset_negative "${h}/offset-negative.tqa"
  MESSAGE "${refused}Negative Offset.mp3\" was not extracted: its offset is negative.")
add_extraction_case(offset_fractional "${h}/offset-fractional.tqa"
  MESSAGE "${refused}Fractional Offset.mp3\" was not extracted: its length is not a number.")
add_extraction_case(length_past_end "${h}/length-past-end.tqa"
  MESSAGE "${refused}Past The End.mp3\" was not extracted: ${past_end}")
add_extraction_case(offset_past_end "${h}/offset-past-end.tqa"
  MESSAGE "${refused}Offset Past End.mp3\" was not extracted: ${past_end}")
add_extraction_case(length_enormous "${h}/length-enormous.tqa"
  MESSAGE "${refused}Enormous.mp3\" was not extracted: ${past_end}")
add_extraction_case(offset_hex "${h}/offset-hex.tqa"
  MESSAGE "${refused}Hex Offset.mp3\" was not extracted: ${past_end}")
add_extraction_case(cut_in_record "${h}/cut-in-record.tqa"
  MESSAGE "${refused}(no title)\" was not extracted: ${past_end}")
add_extraction_case(cut_in_track "${h}/cut-in-track.tqa" DELETE KEEPS
  MESSAGE "${refused}Cut.mp3\" was not extracted: ${past_end}\\n\\nThe archive was not deleted.")

# A read-only file of a track's name is reported and left as it was, the
# other tracks are written, and the archive is kept despite "Delete
# archive when done".
add_extraction_case(read_only_output "${v}/zero-length.tqa" DELETE KEEPS READONLY "Before.mp3"
  MESSAGE "${refused}Before.mp3\" was not extracted: its file could not be created.\\n\\nThe archive was not deleted."
  TRACKS "Nothing At All.mp3=7840+0" "After.mp3=7840+5000")
# The archive removed between opening and extracting: reported, nothing written.
add_extraction_case(archive_removed "${v}/zero-length.tqa" REMOVED
  MESSAGE "This file could not be opened: C:\\\\tq extract\\\\nest\\\\zero-length.tqa")

# Titles edited in the list become the files' names: a part before the
# first dot of 201 characters is cut to 200 and given ".mp3", one of 200
# stays as typed. The first is typed key by key, the second pasted with
# Ctrl+V, which the menu's Paste hands to the cell's editor.
# The longer titles the list now holds are no leak: the count starts after.
function(typed out text)
  string(LENGTH "${text}" n)
  math(EXPR last "${n} - 1")
  set(keys "")
  foreach(i RANGE ${last})
    string(SUBSTRING "${text}" ${i} 1 c)
    list(APPEND keys --key "${c}")
  endforeach()
  set(${out} ${keys} PARENT_SCOPE)
endfunction()
string(REPEAT "a" 201 a_201)
string(REPEAT "a" 200 a_200)
string(REPEAT "b" 200 b_200)
typed(type_a_201 "${a_201}.mp3")
set(title_cell_0 167,126)
set(title_cell_1 167,143)
add_extraction_case(edited_titles_201_and_200 "${v}/three-tracks.tqa" MESSAGE "${complete}"
  TICK --left-click ${title_cell_0} --shortcut Ctrl+A ${type_a_201} --key Enter
    --clipboard "${b_200}.mp3" --left-click ${title_cell_1} --shortcut Ctrl+A --shortcut Ctrl+V --key Enter
    --touch ${probe_dir}\\probe-start --touch ${probe_dir}\\probe-texts
    --box "Message|windows, ${main}\\nfront ${main}\\nTunequilt Found 3 Tracks:\\nThree Patches / The Basting Stitches / Quinn Archer / Tunequilt ID: 120000\\n[ ] ${a_200}.mp3 *\\n[ ] ${b_200}.mp3 *\\n[ ] Quiet Corner.mp3 *|OK"
    --window "${main}" --front ${select_all}
  TRACKS "${a_200}.mp3=2840+30000" "${b_200}.mp3=32840+40000" "Quiet Corner.mp3=72840+20000")
# Two hundred keys into one cell: a box of another test taking the focus
# meanwhile would end the edit, so this one runs alone.
set_tests_properties(app.extract.edited_titles_201_and_200 PROPERTIES RUN_SERIAL TRUE)
