# Where the packages install the operator's guide (docs/), for docs/ that installs it, for the
# Windows setup program that adds its shortcut, and for orv52-cli's --help that names the place.
set(ORV52_GUIDE_FILE instrukcja.html)
set(ORV52_GUIDE_SHORTCUT "Instrukcja obsługi ORV-52 Prog")
if(WIN32)
  # A folder of its own beside the programs, seen from the program's folder: setup and the zip
  # both put it there.
  set(ORV52_GUIDE_DIR instrukcja)
  set(ORV52_GUIDE_HELP
    "${ORV52_GUIDE_DIR}\\\\${ORV52_GUIDE_FILE} w folderze programu; w menu Start: ${ORV52_GUIDE_SHORTCUT}")
else()
  include(GNUInstallDirs)
  set(ORV52_GUIDE_DIR ${CMAKE_INSTALL_DOCDIR})
  # Where the Debian package, installed under /usr, puts it.
  set(ORV52_GUIDE_HELP "/usr/${ORV52_GUIDE_DIR}/${ORV52_GUIDE_FILE}")
endif()
