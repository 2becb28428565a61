# cmake -DROOT=repository -DTEMPLATE=page.html -DSCRIPT=normals.js -DPAGE=normals.html
#   -P make_page.cmake: the page with the program's script (its WebAssembly inside) in place of
# the template's marker, and the fingerprint of the sources it was made from.
include(${CMAKE_CURRENT_LIST_DIR}/page_sources.cmake)
file(READ ${TEMPLATE} page)
file(READ ${SCRIPT} script)
string(FIND "${page}" "/*@normals.js@*/" marker)
if(marker LESS 0)
  message(FATAL_ERROR "${TEMPLATE} has no /*@normals.js@*/ marker")
endif()
# A script may not hold its own end tag.
string(FIND "${script}" "</script" end)
if(NOT end LESS 0)
  message(FATAL_ERROR "${SCRIPT} holds </script, which would end the page's script early")
endif()
normals_page_sources(${ROOT} sources)
string(REPLACE "@normals-sources@" "${sources}" page "${page}")
string(REPLACE "/*@normals.js@*/" "${script}" page "${page}")
file(WRITE ${PAGE}.partial "${page}")
file(RENAME ${PAGE}.partial ${PAGE})
