# Fails when a library that may use only what engine/ declares reaches into the
# engine's implementation: an #include of a mediaeng/ header in its sources, or
# a reference to a mediaeng:: name left for the link in its archive (a forward
# declaration gets past the include rule, not past this one). Also fails when
# a header of engine/ names a mediaeng:: type, and when the window controls
# include the job tree (they show pictures and settings, never a job).
#   cmake -DSOURCE_DIR=<root> -DDIRS=<folders> -DNM=<nm> -DARCHIVES=<libs> -P EngineBoundary.cmake
set(faults "")

file(GLOB engineHeaders "${SOURCE_DIR}/engine/*.h")
foreach(file IN LISTS engineHeaders)
  file(STRINGS "${file}" uses REGEX "mediaeng::")
  file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
  foreach(line IN LISTS uses)
    list(APPEND faults "${name} names the engine's own type: ${line}")
  endforeach()
endforeach()

file(GLOB_RECURSE controlFiles "${SOURCE_DIR}/controls/*.h" "${SOURCE_DIR}/controls/*.cpp")
foreach(file IN LISTS controlFiles)
  file(STRINGS "${file}" includes
       REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](model/job/|engine/ConversionJob\\.h|engine/JobTree)")
  file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
  foreach(line IN LISTS includes)
    list(APPEND faults "${name} reaches the job tree: ${line}")
  endforeach()
endforeach()

foreach(dir IN LISTS DIRS)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${dir}/*.h" "${SOURCE_DIR}/${dir}/*.hpp" "${SOURCE_DIR}/${dir}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]mediaeng/")
    file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
    foreach(line IN LISTS includes)
      list(APPEND faults "${name}: ${line}")
    endforeach()
  endforeach()
endforeach()

foreach(archive IN LISTS ARCHIVES)
  execute_process(COMMAND "${NM}" -C -u "${archive}" OUTPUT_VARIABLE undefined RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} could not read ${archive}: ${err}")
  endif()
  string(REGEX MATCHALL "[^\n]*mediaeng::[^\n]*" uses "${undefined}")
  get_filename_component(name "${archive}" NAME)
  foreach(use IN LISTS uses)
    string(STRIP "${use}" use)
    list(APPEND faults "${name} needs ${use}")
  endforeach()
endforeach()

if(faults)
  list(REMOVE_DUPLICATES faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Only engine/ may be used here, not mediaeng/:\n  ${text}")
endif()
list(LENGTH DIRS dirCount)
list(LENGTH ARCHIVES archiveCount)
message(STATUS "${dirCount} folders and ${archiveCount} libraries use only engine/")
