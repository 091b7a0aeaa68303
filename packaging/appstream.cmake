# The window's description for software centres (AppStream), with the version and the date of
# the changelog's newest entry.
set(ORV52_HOMEPAGE "https://velunki.invalid/orv52-prog" CACHE STRING
  "The publisher's page of the program, where software centres find its screenshot")

file(STRINGS debian/changelog.in signature REGEX "^ -- " LIMIT_COUNT 1)
if(NOT signature MATCHES " ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "no date in the changelog's newest entry: ${signature}")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
if(month LESS 10)
  set(month 0${month})
endif()
set(ORV52_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})

set(ORV52_APPSTREAM_ID invalid.velunki.orv52prog)
set(ORV52_METAINFO ${CMAKE_CURRENT_BINARY_DIR}/${ORV52_APPSTREAM_ID}.metainfo.xml)
configure_file(orv52-prog.metainfo.xml.in ${ORV52_METAINFO} @ONLY)
install(FILES ${ORV52_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# For the test that validates it.
set(ORV52_METAINFO ${ORV52_METAINFO} PARENT_SCOPE)
