# What a Windows program of this build loads from outside its own folder: Qt's DLLs
# from the SDK, and the MinGW runtime DLLs that the compiler links against.
set(ORV52_QT_BIN_DIR "${ORV52_WINDOWS_QT}/bin")
set(ORV52_MINGW_RUNTIME_DLLS)
foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  file(REAL_PATH "${found}" found)
  if(NOT EXISTS "${found}")
    message(FATAL_ERROR "The MinGW runtime's ${dll} is not found beside ${CMAKE_CXX_COMPILER}")
  endif()
  list(APPEND ORV52_MINGW_RUNTIME_DLLS "${found}")
endforeach()
