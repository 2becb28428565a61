# cmake -DROOT=repository -DTEMPLATE=page.html [-DSTYLE=page.css] -DSCRIPT=normals.js
#   [-DWASM=normals.wasm]
#   "-DMODULES=a.mjs|b.mjs" -DPAGE=normals.html -P make_page.cmake: the page, one file: the
# program's script, its WebAssembly (gzip-compressed and in base64, as the constant
# kProgramWasm, when given apart) and the page's modules, in the order given, joined into the
# template's one module script; with the fingerprint of the sources it was made from. The modules share
# that one scope, so their `import` lines go and their `export`s become plain declarations:
# each top-level name must be unique across them; lines that hold a comment alone are left out.
include(${CMAKE_CURRENT_LIST_DIR}/page_sources.cmake)
file(READ ${TEMPLATE} page)
file(READ ${SCRIPT} bundle)
if(WASM)
  # gzip -n: no name or time in the header, so the same program gives the same page.
  execute_process(COMMAND sh -c "gzip -9 -n -c \"$0\" | base64 -w 0" ${WASM}
                  OUTPUT_VARIABLE wasm RESULT_VARIABLE failed)
  if(failed OR wasm STREQUAL "")
    message(FATAL_ERROR "${WASM} could not be compressed into the page")
  endif()
  string(APPEND bundle "\nconst kProgramWasm = \"${wasm}\";\n")
endif()
string(REPLACE "|" ";" modules "${MODULES}")
foreach(module IN LISTS modules)
  file(READ ${module} text)
  string(REGEX REPLACE "(^|\n)import [^\n]*;" "\\1" text "${text}")
  string(REGEX REPLACE "(^|\n)export " "\\1" text "${text}")
  # Lines that are comments alone stay in the sources: the page is what a reader downloads.
  string(REGEX REPLACE "(^|\n)[ ]*//[^\n]*" "" text "${text}")
  if(text MATCHES "(^|\n)(import|export)[ {]")
    message(FATAL_ERROR "${module}: an import or export the page's build cannot join "
                        "(one import a line, ending with its semicolon)")
  endif()
  string(APPEND bundle "\n${text}")
endforeach()
string(FIND "${page}" "/*@page.js@*/" marker)
if(marker LESS 0)
  message(FATAL_ERROR "${TEMPLATE} has no /*@page.js@*/ marker")
endif()
# A script may not hold its own end tag.
string(FIND "${bundle}" "</script" end)
if(NOT end LESS 0)
  message(FATAL_ERROR "the page's script holds </script, which would end it early")
endif()
# The page's style, when given: its own file, written into the template's style element.
if(STYLE)
  file(READ ${STYLE} style)
  string(REPLACE "/*@page.css@*/" "${style}" page "${page}")
endif()
normals_page_sources(${ROOT} sources)
string(REPLACE "@normals-sources@" "${sources}" page "${page}")
string(REPLACE "/*@page.js@*/" "${bundle}" page "${page}")
file(WRITE ${PAGE}.partial "${page}")
file(RENAME ${PAGE}.partial ${PAGE})
