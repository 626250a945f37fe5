# Fails when the export table still traps a name that belongs to no family
# left for later: a family that is built must not keep a trap by mistake.
#   cmake -DNAMES=.../export_names.inc -P trap_audit.cmake

# Families left for later waves, and names that are never described.
set(later
  "^(database|cursor|getDatabase|setDatabase|newTAVODatabase|openTAVODatabase|TAVODatabase|TAVOdb|PluginRegisterDB)"
  "^(serial|getSerialPort)"
  "^([Ss]ocket|pluginSocket|PluginMarkSocketUsage)"
  "^(RuntimeOpenPrinter|RuntimeGraphicsNextPage|graphics(Copies|FirstPage|LastPage)Getter|printerSetup|styledPrinter|editStyleTextPrinter)"
  "^clipboard"
  "^([Dd]ragItem|formNewDragItem|controlNewDragItem|(form|control)Accept[A-Za-z]*Drop$)"
  "^(date|parseDate)"
  "^(screen|getScreen)"
  "^(thread|semaphore_|criticalsection_)"
  "^(memory|newMemoryBlock|PtrToMemoryBlock)"
  "^(textConverter|getTextConverter|textEncoding|getTextEncoding|getInternetTextEncoding|getFontTextEncoding|guessJapaneseEncoding)"
  "^(contextualMenu|IsCMMClick)"
  "^notePlayer"
  "^(readColor|RuntimeHSV$|RuntimeCMY$|selectColor$)"
  "^(radio|rba|group|popup|RuntimePopup|getPopupRowTag$|setPopupRowTag$|tabPanel|slider|scroller)"
  "^(getKeyboardObject|modifierKeyGetter|asyncModifierKeyGetter|keyboardAsyncKeyDown|getMouse[XY]?|getMouseDown)$"
  "^(getFontCount|getFontName|systemGestalt|getSystemObject|getUserCancelled|FolderItemSaveAsJPEG|exportPicture)$"
  "^(lineTrace|getterWinHWND|appResourceForkGetter)$")

# Families being built now, one line per area; each line goes when its
# area is done, so that its traps are caught from then on.
set(in_progress
)

file(STRINGS "${NAMES}" lines REGEX "^TRAP\\(")
set(stray "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^TRAP\\(([A-Za-z0-9_$]+)\\).*" "\\1" name "${line}")
  set(known FALSE)
  foreach(pattern IN LISTS later in_progress)
    if(name MATCHES "${pattern}")
      set(known TRUE)
      break()
    endif()
  endforeach()
  if(NOT known)
    list(APPEND stray "${name}")
  endif()
endforeach()
if(stray)
  list(JOIN stray " " text)
  message(FATAL_ERROR "trapped outside the families left for later: ${text}")
endif()
list(LENGTH lines count)
message(STATUS "${count} traps, all in families left for later")
