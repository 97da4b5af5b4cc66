# cmake -DROOT=<source root> -P LayeringCheck.cmake
# Each rule: a folder (its own files, not its subfolders unless listed), and the include
# patterns (regular expressions on the included path) that folder must not use.
set(qt "^Q|^Qt")
set(windows "^mainwindow/|^dialogs/|^platform/qt/")
# The system's own headers: files, folders and processes are reached through platform/.
set(posix "^unistd\\.h$|^fcntl\\.h$|^dirent\\.h$|^sys/|^pthread\\.h$|^poll\\.h$|^dlfcn\\.h$|^termios\\.h$")
set(rules
  "midi|${qt}|^song/|${windows}|${posix}"
  "song|${qt}|${windows}|${posix}"
  "platform|${qt}|^midi/|^song/|${windows}"
  "mainwindow/rules|${qt}|^mainwindow/[^r]|^mainwindow/r[^u]|^dialogs/[^r]|^platform/qt/"
  "dialogs/rules|${qt}|^mainwindow/|^dialogs/[^r]|^platform/qt/"
  "dialogs/chords|${qt}|^mainwindow/|^dialogs/[^c]|^platform/qt/"
  "dialogs|^mainwindow/"
)
set(failures 0)
foreach(rule IN LISTS rules)
  string(REPLACE "|" ";" parts "${rule}")
  list(POP_FRONT parts folder)
  file(GLOB files "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(f IN LISTS files)
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" path "${line}")
      foreach(p IN LISTS parts)
        if(path MATCHES "${p}")
          file(RELATIVE_PATH rel "${ROOT}" "${f}")
          message(SEND_ERROR "${rel} includes ${path}, which ${folder}/ must not use")
          math(EXPR failures "${failures} + 1")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} include(s) break the layers")
endif()
message(STATUS "Layers hold")
