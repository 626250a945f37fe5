# Previews: a double click in a track's Play column copies the track into
# pl####.mp3 in the preferences folder (the Windows folder), the preview
# window plays it, and closing the window deletes it. Each scenario runs
# through preview_case.cmake, which clears preview files before and after.
# Sound goes to a null device, so the player runs as it would with speakers.
file(WRITE "${bin}/asound.conf" "pcm.!default { type null }\n")

# add_preview_scenario(name [READ_ONLY] [TAKEN n] steps... -- program arguments...)
function(add_preview_scenario name)
  cmake_parse_arguments(arg "READ_ONLY" "TAKEN" "" ${ARGN})
  list(JOIN arg_UNPARSED_ARGUMENTS "^^" steps)
  set(read_only 0)
  if(arg_READ_ONLY)
    set(read_only 1)
  endif()
  add_test(NAME app.preview.${name}
    COMMAND "${CMAKE_COMMAND}" "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" "-DDRIVER=$<TARGET_FILE:dialog_driver>"
      "-DREAD_ONLY=${read_only}" "-DTAKEN=${arg_TAKEN}" "-DSTEPS=${steps}"
      -P "${CMAKE_CURRENT_SOURCE_DIR}/preview_case.cmake")
  set_tests_properties(app.preview.${name} PROPERTIES RESOURCE_LOCK screen WORKING_DIRECTORY "${bin}" TIMEOUT 240
    ENVIRONMENT "ALSA_CONFIG_PATH=${bin}/asound.conf" SKIP_REGULAR_EXPRESSION "skipped: ")
endfunction()

# The Play column of rows 0, 1 and 2 of the main window's list (no scroll
# bar beside up to six rows).
set(play_0 343,125)
set(play_1 343,143)
set(play_2 343,160)
set(preferences_previews "%windir%\\pl????.mp3")
set(temporary_previews "%TEMP%\\pl????.mp3")
set(preview "Play MP3")
dos_path_of(three_tracks "${v}/three-tracks.tqa")
# The first preview keeps a few bytes of the media layer: one of row 2,
# closed, before the objects are counted. The probe's texts answer once it
# has counted, before a double click whose copy lets the probe run midway.
set(closed --close --wait-gone --window "${main}")
set(main_counted ${main_ready} --double-click ${play_2} --window "${preview}" ${closed}
  --touch ${probe_dir}\\probe-start --touch ${probe_dir}\\probe-texts --box "Message|*|OK" --window "${main}")
# The player seen playing (its pause glyph), the track's title and artist
# drawn in their blue.
set(playing --window "${preview}" --front --pixel 37,60=btntext --pixel 39,60=btnface --find-pixel 148,9,307,48=1822CD)

# The file holds the track's bytes; a second preview replaces the first
# one's file; closing the window removes the second.
add_preview_scenario(writes_plays_and_removes_its_file
  ${main_counted} --files "${preferences_previews}|0"
  --double-click ${play_0} ${playing} --files "${preferences_previews}|1|30000|${three_tracks}@2840"
  --screenshot "${bin}/preview-window.png"
  --window "${main}" --double-click ${play_1} ${playing}
  --files "${preferences_previews}|1|40000|${three_tracks}@32840" --files "${preferences_previews}|1"
  --window "${preview}" ${closed} --files "${preferences_previews}|0" ${leaks} --close --wait-exit
  -- "${probed}" "${three_tracks}")

# A track of no bytes does not play: the message, the window gone, and the
# file written for it removed.
dos_path_of(zero "${v}/zero-length.tqa")
add_preview_scenario(an_unplayable_track
  ${main_counted}
  --double-click ${play_1} --files "${preferences_previews}|1|0"
  --box "Message|This MP3 appears incompatible with the QuickTime player we are using... Or you do not have QuickTime installed.|OK"
  --files "${preferences_previews}|0" --window "${main}"
  --touch ${probe_dir}\\probe-texts --box "Message|windows, ${main}\\nfront ${main}\\n*|OK"
  ${leaks} --close --wait-exit
  -- "${probed}" "${zero}")

# A preferences folder that takes no new files: the temporary folder holds
# the preview instead, and loses it again when the window closes.
add_preview_scenario(read_only_preferences_folder READ_ONLY
  ${main_counted}
  --double-click ${play_0} ${playing} --files "${temporary_previews}|1|30000|${three_tracks}@2840"
  --files "${preferences_previews}|0"
  ${closed} --files "${temporary_previews}|0" ${leaks} --close --wait-exit
  -- "${probed}" "${three_tracks}")

# Names in use: seven in nine of the 9,000 are taken by other files, so a
# preview that kept its first draw would land on one of them in nearly every
# run. None changes; each preview gets a free name of its own.
set(taken "${preferences_previews}|7000|0")
add_preview_scenario(names_in_use_are_left_alone TAKEN 7000
  ${main_counted}
  --double-click ${play_0} ${playing} --files "${preferences_previews}|1|30000|${three_tracks}@2840" --files "${taken}"
  --window "${main}" --double-click ${play_1} ${playing}
  --files "${preferences_previews}|1|40000|${three_tracks}@32840" --files "${taken}"
  --window "${main}" --double-click ${play_2} ${playing}
  --files "${preferences_previews}|1|20000|${three_tracks}@72840" --files "${taken}" --files "${preferences_previews}|7001"
  --window "${preview}" ${closed} --files "${preferences_previews}|7000" ${leaks} --close --wait-exit
  -- "${probed}" "${three_tracks}")

# File > Close (Ctrl+W) while the hidden holder is the frontmost window
# (raised there from outside) closes nothing: the main window stays, the
# holder still in front of it.
add_scenario(close_with_the_holder_in_front_does_nothing
  ${main_ready} --touch ${probe_dir}\\probe-start --raise-hidden loveis --shortcut Ctrl+W --sleep 1000
  --touch ${probe_dir}\\probe-texts --box "Message|windows, ${main}\\nfront loveis\\n*|OK"
  ${leaks} --window "${main}" --close --wait-exit
  -- "${probed}" "${three_tracks}")
