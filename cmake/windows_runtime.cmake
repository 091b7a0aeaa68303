# What a Windows program of this build loads from outside its own folder: Qt's DLLs
# from the SDK, and the MinGW runtime DLLs that the compiler links against; and the folders that
# hold them all (ORV52_WINDOWS_DLL_DIRS).
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

set(ORV52_WINDOWS_DLL_DIRS ${ORV52_QT_BIN_DIR})
foreach(dll IN LISTS ORV52_MINGW_RUNTIME_DLLS)
  get_filename_component(folder ${dll} DIRECTORY)
  list(APPEND ORV52_WINDOWS_DLL_DIRS ${folder})
endforeach()
list(REMOVE_DUPLICATES ORV52_WINDOWS_DLL_DIRS)
