# Fails when a folder of the engine includes a header of a folder above it.
# The engine is built in layers, bottom first; a folder may include its own
# headers and those of the layers below. Folders on one line are independent
# of each other. A job is described (settings), run file by file through the
# stages (transcode), combined into splits, joins and pictures (operations) and
# driven by the runners (run); the class list names them all, so it is on top.
#   cmake -DSOURCE_DIR=<root> -P EngineLayers.cmake
set(layers
  "mediaeng/av mediaeng/buffer mediaeng/folder"
  "mediaeng/core"
  "mediaeng/frame mediaeng/dvd mediaeng/gallery"
  "mediaeng/watermark mediaeng/probe"
  "mediaeng/playback"
  "mediaeng/job/settings"
  "mediaeng/job/transcode"
  "mediaeng/job/operations"
  "mediaeng/job/run"
  "mediaeng/classes")

set(level 0)
set(known "")
foreach(layer IN LISTS layers)
  string(REPLACE " " ";" folders "${layer}")
  foreach(folder IN LISTS folders)
    set(levelOf_${folder} ${level})
    list(APPEND known ${folder})
  endforeach()
  math(EXPR level "${level} + 1")
endforeach()

set(faults "")
file(GLOB_RECURSE files "${SOURCE_DIR}/mediaeng/*.h" "${SOURCE_DIR}/mediaeng/*.hpp" "${SOURCE_DIR}/mediaeng/*.cpp")
foreach(file IN LISTS files)
  file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
  get_filename_component(from "${name}" DIRECTORY)
  if(NOT DEFINED levelOf_${from})
    list(APPEND faults "${name}: its folder ${from} has no place in the layers")
    continue()
  endif()
  file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]mediaeng/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^<\"]*[<\"]([^>\"]*)[>\"].*$" "\\1" header "${line}")
    get_filename_component(to "${header}" DIRECTORY)
    if(to STREQUAL from)
      continue()
    endif()
    if(NOT DEFINED levelOf_${to})
      list(APPEND faults "${name}: ${header} is in ${to}, which has no place in the layers")
    elseif(NOT levelOf_${to} LESS levelOf_${from})
      list(APPEND faults "${name}: ${from} may not include ${header} (${to} is not below it)")
    endif()
  endforeach()
endforeach()

if(faults)
  list(REMOVE_DUPLICATES faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "The engine's folders include out of their layer order:\n  ${text}")
endif()
list(LENGTH known folderCount)
list(LENGTH files fileCount)
message(STATUS "${fileCount} files of ${folderCount} engine folders include only layers below their own")
