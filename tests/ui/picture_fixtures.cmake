# Picture test fixtures, written at build time by picture_fixtures.py into bin/picture_fixtures.
if(EXISTS /usr/bin/python3)
  set(WEVO_PICTURE_PYTHON /usr/bin/python3)  # the system Python carries Pillow
else()
  set(WEVO_PICTURE_PYTHON ${Python3_EXECUTABLE})
endif()
set(WEVO_PICTURE_FIXTURES ${CMAKE_BINARY_DIR}/bin/picture_fixtures)
add_custom_command(OUTPUT ${WEVO_PICTURE_FIXTURES}/stamp
  COMMAND ${WEVO_PICTURE_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/picture_fixtures.py ${WEVO_PICTURE_FIXTURES}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/picture_fixtures.py
  COMMENT "Writing picture test fixtures")
add_custom_target(picture_fixtures ALL DEPENDS ${WEVO_PICTURE_FIXTURES}/stamp)
if(TARGET test_ui)
  add_dependencies(test_ui picture_fixtures)
endif()
