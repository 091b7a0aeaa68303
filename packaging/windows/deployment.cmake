# What a Windows installation holds beside the two programs: the Qt DLLs and plugins they load
# and no more, the MinGW runtime, Qt's licence with a note of its version and sources, the
# product's copyright notice and the operator's guide. test_windows_deployment checks the DLLs against the imports of the
# programs and plugins. The setup program's file list (setup-files.nsh) is made from the same
# lists.
include(${PROJECT_SOURCE_DIR}/cmake/windows_runtime.cmake)

set(qt_dlls Qt6Core Qt6Gui Qt6Widgets Qt6SerialPort)
list(TRANSFORM qt_dlls APPEND .dll)
list(TRANSFORM qt_dlls PREPEND ${ORV52_QT_BIN_DIR}/ OUTPUT_VARIABLE qt_dll_paths)
# Loaded by name at run time, so no import names them.
set(plugins platforms/qwindows.dll styles/qwindowsvistastyle.dll)

install(FILES ${qt_dll_paths} ${ORV52_MINGW_RUNTIME_DLLS} DESTINATION .)
foreach(plugin IN LISTS plugins)
  get_filename_component(folder ${plugin} DIRECTORY)
  install(FILES ${ORV52_WINDOWS_QT}/plugins/${plugin} DESTINATION ${folder})
endforeach()

set(ORV52_QT_VERSION ${Qt6_VERSION})
configure_file(${CMAKE_CURRENT_LIST_DIR}/qt-notice.txt.in qt-notice.txt @ONLY)
install(FILES ${ORV52_WINDOWS_QT}/LICENSES/LGPL-3.0-only.txt ${CMAKE_CURRENT_BINARY_DIR}/qt-notice.txt
  DESTINATION licenses)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../debian/copyright DESTINATION . RENAME copyright.txt)

# Every installed file, relative to the installation's folder, for the setup program to install
# and its uninstaller to remove one by one; the operator's guide is installed by docs/.
set(installed orv52-prog.exe orv52-cli.exe ${qt_dlls} copyright.txt
  licenses/LGPL-3.0-only.txt licenses/qt-notice.txt ${plugins} ${ORV52_GUIDE_INSTALLED})
foreach(dll IN LISTS ORV52_MINGW_RUNTIME_DLLS)
  get_filename_component(name ${dll} NAME)
  list(APPEND installed ${name})
endforeach()
set(install_lines)
set(remove_lines)
set(folders)
foreach(file IN LISTS installed)
  get_filename_component(folder ${file} DIRECTORY)
  string(REPLACE / \\ windows_file "${file}")
  set(out_path "$INSTDIR")
  if(folder)
    string(REPLACE / \\ windows_folder "${folder}")
    string(APPEND out_path "\\${windows_folder}")
    list(APPEND folders ${windows_folder})
  endif()
  string(APPEND install_lines "  SetOutPath \"${out_path}\"\n  File \"\${STAGE}/${file}\"\n")
  string(APPEND remove_lines "  Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
list(REMOVE_DUPLICATES folders)
foreach(folder IN LISTS folders)
  string(APPEND remove_lines "  RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/setup-files.nsh
  "; Made by packaging/windows/deployment.cmake: what setup installs and its uninstaller removes.\n"
  "!macro InstallFiles\n${install_lines}!macroend\n"
  "!macro RemoveFiles\n${remove_lines}!macroend\n")

configure_file(${CMAKE_CURRENT_LIST_DIR}/setup.nsi.in setup.nsi @ONLY)
