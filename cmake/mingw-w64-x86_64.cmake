# Cross-building for 64-bit Windows on Debian with MinGW-w64 (g++-mingw-w64-x86-64-posix).
# Qt for Windows is looked for in ORV52_WINDOWS_QT, by default the SDK unpacked into the build
# folder by scripts/windows.sh; Qt's host tools (moc, rcc, uic) come from Debian's Qt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
# The posix flavour: the SDK was built with it, and std::thread needs it.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(ORV52_WINDOWS_QT "${CMAKE_BINARY_DIR}/qt6.4.2-mingw64" CACHE PATH "Qt 6 for MinGW-w64")
set(QT_HOST_PATH /usr CACHE PATH "Qt's host tools")
list(APPEND CMAKE_PREFIX_PATH "${ORV52_WINDOWS_QT}")

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# BOTH, so that CMAKE_PREFIX_PATH finds the SDK outside the MinGW root.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
