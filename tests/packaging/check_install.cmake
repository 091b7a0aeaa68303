# Installs the build into a scratch prefix and checks that a Linux desktop finds the program:
# the binaries (the window and the command line), the command line's bash completion, the
# window's AppStream description, a desktop entry whose Exec and Icon name the
# installed files, a 16x16 PNG icon, the package's changelog and copyright, the operator's guide
# with its pictures where --help says it is, and a manual page for each program; the changelog's
# newest entry and each page (made from the program's --version) carry the project's version.
# Usage: cmake -D BUILD_DIR=<build> -D PREFIX=<scratch> -D VERSION=<version>
#              -D MANUAL_PAGES=<whether help2man made them> -D METAINFO=<the AppStream file>
#              -P check_install.cmake

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(desktop ${PREFIX}/share/applications/orv52-prog.desktop)
get_filename_component(metainfo_name "${METAINFO}" NAME)
foreach(path ${PREFIX}/bin/orv52-prog ${PREFIX}/bin/orv52-cli ${desktop}
    ${PREFIX}/share/bash-completion/completions/orv52-cli
    ${PREFIX}/share/metainfo/${metainfo_name})
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

# The value of a key of the desktop entry, or an error when the key is missing.
function(entry_value key out)
  file(STRINGS ${desktop} lines REGEX "^${key}=")
  if(NOT lines)
    message(FATAL_ERROR "the desktop entry has no ${key}")
  endif()
  string(REGEX REPLACE "^${key}=" "" value "${lines}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

entry_value(Name name)
if(NOT name STREQUAL "ORV-52 Prog")
  message(FATAL_ERROR "the desktop entry's Name is '${name}'")
endif()

entry_value(Exec exec)
if(NOT EXISTS ${PREFIX}/bin/${exec})
  message(FATAL_ERROR "Exec=${exec} names no installed program")
endif()

entry_value(Icon icon)
set(png ${PREFIX}/share/icons/hicolor/16x16/apps/${icon}.png)
if(NOT EXISTS ${png})
  message(FATAL_ERROR "Icon=${icon} names no installed 16x16 icon")
endif()
# PNG signature, then the IHDR chunk whose data starts with the width and the height.
file(READ ${png} signature LIMIT 8 HEX)
file(READ ${png} size OFFSET 16 LIMIT 8 HEX)
if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT size STREQUAL "0000001000000010")
  message(FATAL_ERROR "${png} is not a 16x16 PNG (${signature}, ${size})")
endif()

# The first line of a gzip-compressed text file that matches a pattern.
function(gzip_line path pattern out)
  execute_process(COMMAND gzip -dc ${path} OUTPUT_VARIABLE text RESULT_VARIABLE result)
  string(REGEX MATCH "${pattern}[^\n]*" line "${text}")
  if(NOT result EQUAL 0 OR NOT line)
    message(FATAL_ERROR "${path}: not gzip or no line matching '${pattern}'")
  endif()
  set(${out} "${line}" PARENT_SCOPE)
endfunction()

set(doc ${PREFIX}/share/doc/orv52-prog)
if(NOT EXISTS ${doc}/copyright)
  message(FATAL_ERROR "not installed: ${doc}/copyright")
endif()
gzip_line(${doc}/changelog.gz "orv52-prog \\(" entry)
if(NOT entry MATCHES "^orv52-prog \\(${VERSION}\\) ")
  message(FATAL_ERROR "the changelog's newest entry is '${entry}', not version ${VERSION}")
endif()

# The operator's guide with every picture it shows, where the last line of orv52-cli's --help says
# it is once the package has put the installation under /usr.
set(guide ${doc}/instrukcja.html)
if(NOT EXISTS ${guide})
  message(FATAL_ERROR "not installed: ${guide}")
endif()
file(READ ${guide} html)
string(REGEX MATCHALL "<img src=\"[^\"]+\"" pictures "${html}")
if(NOT pictures)
  message(FATAL_ERROR "${guide} shows no picture")
endif()
foreach(picture IN LISTS pictures)
  string(REGEX REPLACE "^<img src=\"(.+)\"$" "\\1" picture "${picture}")
  if(NOT EXISTS ${doc}/${picture})
    message(FATAL_ERROR "${guide} shows ${picture}, which is not installed beside it")
  endif()
endforeach()
execute_process(COMMAND ${PREFIX}/bin/orv52-cli --help OUTPUT_VARIABLE help)
string(REGEX MATCH "[^\n]+\n$" last_line "${help}")
string(REGEX MATCH "^Instrukcja obsługi: /usr(/[^\n]+)" named "${last_line}")
if(NOT named OR NOT EXISTS ${PREFIX}${CMAKE_MATCH_1})
  message(FATAL_ERROR "orv52-cli --help does not end naming the installed guide: ${last_line}")
endif()

if(MANUAL_PAGES)
  foreach(program orv52-prog orv52-cli)
    gzip_line(${PREFIX}/share/man/man1/${program}.1.gz "\\.TH " header)
    if(NOT header MATCHES "\"${program} ${VERSION}\"")
      message(FATAL_ERROR "the manual page of ${program} has '${header}'")
    endif()
  endforeach()
endif()

file(REMOVE_RECURSE ${PREFIX})
