# Fails when window code draws outside a paint handler: a wxClientDC or
# wxWindowDC draws nothing under GTK 3 on Wayland (Debian's default session),
# so every picture is drawn from the window's paint handler, and a change asks
# for a refresh. Measuring text needs no DC: wxWindow::GetTextExtent.
#   cmake -DSOURCE_DIR=<root> -DDIRS=<folders> -P PaintOnlyInPaintHandlers.cmake
set(faults "")
foreach(dir IN LISTS DIRS)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${dir}/*.h" "${SOURCE_DIR}/${dir}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" uses REGEX "wx(Client|Window|Screen)DC")
    file(RELATIVE_PATH name "${SOURCE_DIR}" "${file}")
    foreach(line IN LISTS uses)
      string(STRIP "${line}" line)
      list(APPEND faults "${name}: ${line}")
    endforeach()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Drawing outside a paint handler (no wxClientDC, wxWindowDC or wxScreenDC):\n  ${text}")
endif()
list(LENGTH DIRS dirCount)
message(STATUS "${dirCount} folders draw only from paint handlers")
