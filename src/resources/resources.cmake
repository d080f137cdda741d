# Built-in pictures: drawn at build time from the picture table and embedded as RCDATA
# resources named after the pictures. pictures_table.h lists them for the checks.
set(WEVO_PICTURES_DIR ${CMAKE_BINARY_DIR}/pictures)
set(WEVO_PICTURES_SRC ${CMAKE_SOURCE_DIR}/assets/pictures)
add_custom_command(
  OUTPUT ${WEVO_PICTURES_DIR}/pictures.rc ${WEVO_PICTURES_DIR}/pictures_table.h
  COMMAND /usr/bin/python3 ${WEVO_PICTURES_SRC}/draw.py ${WEVO_PICTURES_SRC}/pictures.csv
          ${WEVO_PICTURES_DIR} ${WEVO_PICTURES_DIR}/pictures.rc
  DEPENDS ${WEVO_PICTURES_SRC}/draw.py ${WEVO_PICTURES_SRC}/pictures.csv
  COMMENT "Drawing the built-in pictures"
  VERBATIM)
add_custom_target(wevo_pictures DEPENDS ${WEVO_PICTURES_DIR}/pictures.rc ${WEVO_PICTURES_DIR}/pictures_table.h)
add_library(wevo_rc OBJECT ${WEVO_PICTURES_DIR}/pictures.rc)
add_dependencies(wevo_rc wevo_pictures)
target_include_directories(wevo_rc INTERFACE ${WEVO_PICTURES_DIR})

# A window showing every built-in picture as the program draws it (for screenshots).
add_executable(PictureSheet WIN32 ${CMAKE_SOURCE_DIR}/src/resources/demo/PictureSheet.cpp)
target_link_libraries(PictureSheet PRIVATE wevo_app wevo_rc)
