# Checks that the includes of src/ point down the layers (cmake -DSRC=<src folder> -P layers.cmake):
# a folder includes only from its own layer and the layers below it, and the subsystem folders
# reach the main window through mainwindow/MainWindowServices.h, never mainwindow/FormMain.h
# (their demo/ programs build a whole program and may).
cmake_minimum_required(VERSION 3.25)
set(layer_wlapi 0)
set(layer_ui 1)
set(layer_core 2)
set(layer_resources 3)
set(layer_dialogs 4)
foreach(dir mainwindow profiles advanced wifidirect wifidisplay hotspot)
  set(layer_${dir} 5)
endforeach()
set(subsystems profiles advanced wifidirect wifidisplay hotspot)

file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*.h ${SRC}/*.cpp)
set(faults)
foreach(file ${files})
  string(REGEX MATCH "^[^/]+" dir "${file}")
  if(dir STREQUAL file OR NOT DEFINED layer_${dir})
    continue()  # main.cpp and the like sit above every layer
  endif()
  file(STRINGS ${SRC}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
  foreach(line ${includes})
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
    string(REGEX MATCH "^[^/]+" target "${header}")
    if(DEFINED layer_${target} AND layer_${target} GREATER layer_${dir})
      list(APPEND faults "${file}: ${dir}/ is below ${target}/ but includes ${header}")
    endif()
    if(header STREQUAL "mainwindow/FormMain.h" AND dir IN_LIST subsystems
       AND NOT file MATCHES "/demo/")
      list(APPEND faults "${file}: includes ${header} instead of mainwindow/MainWindowServices.h")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
message(STATUS "Includes point down the layers (${CMAKE_CURRENT_LIST_FILE})")
