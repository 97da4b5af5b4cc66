cmake_minimum_required(VERSION 3.25)
# cmake -DROOT=<source root> -P LayeringCheck.cmake
# Each rule: a folder (its own files, not its subfolders unless listed), and the include
# patterns (regular expressions on the included path) that folder must not use. A pattern
# written "!<pattern>" names what the folder may include although another pattern of its
# rule forbids it (the rules libraries may include their own folder and the rules below).
set(qt "^Q|^Qt")
set(windows "^mainwindow/|^dialogs/|^platform/qt/")
# The main window's own header and the program's start-up wiring: only the window folder builds the
# window; every area takes the parts it is handed.
set(main_window "^mainwindow/window/MainWindow\\.h$|^mainwindow/window/ProgramWindows\\.h$|^mainwindow/window/DialogHandOffs\\.h$")
# The set of every dialog, built at start-up: no dialog reaches the others through it. The shared
# controls and pictures stand below every dialog's form and include none of them.
set(dialog_set "^dialogs/Dialogs\\.h$")
set(dialog_forms "^dialogs/editor/|^dialogs/chordtools/|^dialogs/pickers/|^dialogs/program/|^dialogs/tablature/|${dialog_set}")
# The system's own headers: files, folders and processes are reached through platform/.
set(posix "^unistd\\.h$|^fcntl\\.h$|^dirent\\.h$|^sys/|^pthread\\.h$|^poll\\.h$|^dlfcn\\.h$|^termios\\.h$")
set(rules
  "midi|${qt}|^song/|${windows}|${posix}"
  "song|${qt}|${windows}|${posix}"
  "platform|${qt}|^midi/|^song/|${windows}"
  "mainwindow/rules|${qt}|${windows}|!^mainwindow/rules/[^/]+$|!^dialogs/rules/[^/]+$"
  "dialogs/rules|${qt}|${windows}|!^dialogs/rules/[^/]+$"
  "dialogs/chords|${qt}|${windows}|!^dialogs/chords/[^/]+$"
  "dialogs|^mainwindow/"
  "dialogs/common|^mainwindow/|${dialog_forms}"
  "dialogs/editor|^mainwindow/|${dialog_set}"
  "dialogs/chordtools|^mainwindow/|${dialog_set}"
  "dialogs/pickers|^mainwindow/|${dialog_set}"
  "dialogs/program|^mainwindow/|${dialog_set}"
  "dialogs/tablature|^mainwindow/|${dialog_set}"
  "mainwindow/window"
  "mainwindow/editor|${main_window}"
  "mainwindow/playback|${main_window}"
  "mainwindow/live|${main_window}"
  "mainwindow/drums|${main_window}"
  "mainwindow/files|${main_window}"
  "mainwindow/tools|${main_window}"
)
set(failures 0)
set(checked "")
foreach(rule IN LISTS rules)
  string(REPLACE "|" ";" parts "${rule}")
  list(POP_FRONT parts folder)
  list(APPEND checked "${folder}")
  set(forbidden "")
  set(allowed "")
  foreach(p IN LISTS parts)
    if(p MATCHES "^!")
      string(SUBSTRING "${p}" 1 -1 p)
      list(APPEND allowed "${p}")
    else()
      list(APPEND forbidden "${p}")
    endif()
  endforeach()
  file(GLOB files "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  if(NOT files)
    message(SEND_ERROR "${folder}/ holds no sources: its rule checks nothing")
    math(EXPR failures "${failures} + 1")
  endif()
  foreach(f IN LISTS files)
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" path "${line}")
      set(exempt FALSE)
      foreach(a IN LISTS allowed)
        if(path MATCHES "${a}")
          set(exempt TRUE)
        endif()
      endforeach()
      if(exempt)
        continue()
      endif()
      foreach(p IN LISTS forbidden)
        if(path MATCHES "${p}")
          file(RELATIVE_PATH rel "${ROOT}" "${f}")
          message(SEND_ERROR "${rel} includes ${path}, which ${folder}/ must not use")
          math(EXPR failures "${failures} + 1")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
# The main window's code sits in its area folders, none beside them; beside the dialogs' area
# folders stands only the set of every dialog.
file(GLOB loose RELATIVE "${ROOT}" "${ROOT}/mainwindow/*.h" "${ROOT}/mainwindow/*.cpp"
     "${ROOT}/dialogs/*.h" "${ROOT}/dialogs/*.cpp")
list(REMOVE_ITEM loose dialogs/Dialogs.h dialogs/Dialogs.cpp)
foreach(f IN LISTS loose)
  message(SEND_ERROR "${f}: this code belongs in one of its layer's area folders")
  math(EXPR failures "${failures} + 1")
endforeach()
# Every folder inside the window layer has a rule, so a new folder is never left unchecked.
file(GLOB_RECURSE window_sources RELATIVE "${ROOT}" "${ROOT}/mainwindow/*/*.h" "${ROOT}/mainwindow/*/*.cpp"
     "${ROOT}/dialogs/*/*.h" "${ROOT}/dialogs/*/*.cpp")
foreach(f IN LISTS window_sources)
  get_filename_component(folder "${f}" DIRECTORY)
  if(NOT folder IN_LIST checked)
    message(SEND_ERROR "${f}: the folder ${folder}/ has no layering rule")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} include(s) or folder(s) break the layers")
endif()
message(STATUS "Layers hold")
