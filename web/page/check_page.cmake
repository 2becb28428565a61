# cmake -DROOT=repository -DPAGE=normals.html [-DREMAKE=command] -P check_page.cmake: fails
# unless PAGE was made from the sources in ROOT as they are now, and says how to make it again.
include(${CMAKE_CURRENT_LIST_DIR}/page_sources.cmake)
if(NOT EXISTS "${PAGE}")
  message(FATAL_ERROR "There is no page at ${PAGE}: make it with ${REMAKE}")
endif()
file(STRINGS "${PAGE}" line REGEX "<meta name=\"normals-sources\" content=\"[0-9a-f]+\">"
     LIMIT_COUNT 1)
string(REGEX REPLACE ".*content=\"([0-9a-f]+)\".*" "\\1" made_from "${line}")
normals_page_sources("${ROOT}" sources)
if(NOT line)
  message(FATAL_ERROR "${PAGE} does not say which sources it was made from: make it again "
                      "with ${REMAKE}")
elseif(NOT made_from STREQUAL sources)
  message(FATAL_ERROR "${PAGE} was made from other sources than those in ${ROOT} "
                      "(its fingerprint ${made_from}, theirs ${sources}): make it again with "
                      "${REMAKE}")
endif()
message(STATUS "${PAGE} was made from these sources (${sources})")
