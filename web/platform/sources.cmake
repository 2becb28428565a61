# The browser platform's sources, for the browser build (web/CMakeLists.txt) and for the tests
# that run its arithmetic and its recorder natively (tests/CMakeLists.txt).
set(platform ${CMAKE_CURRENT_LIST_DIR})
# Plain C++, no WebGL: what the layer records and how, built natively by the tests too.
set(normals_platform_recorder_sources ${platform}/layer.cpp ${platform}/recorder.cpp
  ${platform}/gl_state.cpp ${platform}/bitmap.cpp ${platform}/line_rectangle.cpp
  ${platform}/recorded_frame.cpp ${platform}/key_character.cpp)
# WebGL and the page: the browser build alone.
set(normals_platform_webgl_sources ${platform}/webgl_program.cpp ${platform}/webgl_device.cpp
  ${platform}/glut_layer.cpp)
