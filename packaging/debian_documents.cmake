# What a Debian system expects beside the programs: the package's changelog and copyright in its
# documentation folder, and a manual page for each program, made from its --help and --version.
set(doc_gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
configure_file(debian/changelog.in changelog @ONLY)
add_custom_command(OUTPUT ${doc_gz}
  COMMAND gzip -9nkf changelog
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
  COMMENT "Compressing the package's changelog"
  VERBATIM)
install(FILES ${doc_gz} debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

find_program(HELP2MAN help2man)
if(NOT HELP2MAN)
  message(STATUS "help2man not found: no manual pages (scripts/install-deps.sh installs it)")
  add_custom_target(orv52-debian-documents ALL DEPENDS ${doc_gz})
  return()
endif()

set(manual_pages)
# A program's page, with the NAME line and the SEE ALSO section from debian/<program>.h2m. The
# texts are Polish, so help2man reads them as UTF-8; a program that does not answer --help or
# --version fails the build instead of holding it. The program is named relative to its own folder:
# help2man takes a path in its arguments for Latin-1, which breaks a build folder with Polish
# letters in its path.
function(orv52_manual_page program)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${program}.1)
  set(sections ${CMAKE_CURRENT_SOURCE_DIR}/debian/${program}.h2m)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
      timeout 60 ${HELP2MAN} --no-info --locale=C.UTF-8 --section=1 --include=${sections}
      --output=${page} ./$<TARGET_FILE_NAME:${program}>
    COMMAND gzip -9nf ${page}
    DEPENDS ${program} ${sections}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${program}>
    COMMENT "Making the manual page of ${program}"
    VERBATIM)
  set(manual_pages ${manual_pages} ${page}.gz PARENT_SCOPE)
endfunction()
orv52_manual_page(orv52-prog)
orv52_manual_page(orv52-cli)

add_custom_target(orv52-debian-documents ALL DEPENDS ${doc_gz} ${manual_pages})
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
