# muparser_sources(VARIABLE): the source files of muparser in MUPARSER_SOURCE_DIR, this Debian
# release's source package (scripts/muparser-source.sh), for the builds that compile it
# themselves: the browser page and the formula fuzzer.
function(muparser_sources variable)
  set(files muParser muParserBase muParserBytecode muParserCallback muParserError
    muParserTokenReader)
  list(TRANSFORM files PREPEND ${MUPARSER_SOURCE_DIR}/src/)
  list(TRANSFORM files APPEND .cpp)
  set(${variable} ${files} PARENT_SCOPE)
endfunction()
