# normals_page_sources(ROOT VARIABLE): the fingerprint of the sources the browser page is made
# from: the viewer (src/), the browser platform and page (web/) and the top-level CMake file,
# each file's path and SHA-256, in one SHA-256. make_page.cmake writes it into the page, and
# check_page.cmake compares a page's with the sources' own, so that a page made from other
# sources is found out whatever its files' times say.
function(normals_page_sources root variable)
  file(GLOB_RECURSE files RELATIVE ${root} ${root}/src/* ${root}/web/*)
  list(APPEND files CMakeLists.txt)
  list(SORT files)
  set(listing "")
  foreach(file IN LISTS files)
    file(SHA256 ${root}/${file} hash)
    string(APPEND listing "${file} ${hash}\n")
  endforeach()
  string(SHA256 fingerprint "${listing}")
  set(${variable} ${fingerprint} PARENT_SCOPE)
endfunction()
