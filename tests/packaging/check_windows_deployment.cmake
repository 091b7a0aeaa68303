# A Windows installation holds exactly the DLLs its programs load: starting from the programs and
# the plugins Qt loads by name, every DLL imported from Qt or the MinGW runtime is installed, and
# no installed DLL is left that nothing imports.
#   cmake -D BUILD_DIR=<build> -D PREFIX=<scratch> -D OBJDUMP=<objdump>
#         -D SUPPLIERS=<folders of Qt's and MinGW's DLLs> -P check_windows_deployment.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

# The DLLs a file imports, in lower case.
function(imports file out)
  execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${file} failed")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
  list(TRANSFORM names REPLACE "DLL Name: " "")
  list(TRANSFORM names TOLOWER)
  set(${out} ${names} PARENT_SCOPE)
endfunction()

# What Qt and MinGW supply; anything else an import names is the system's.
set(supplied)
foreach(folder IN LISTS SUPPLIERS)
  file(GLOB dlls RELATIVE ${folder} ${folder}/*.dll)
  list(TRANSFORM dlls TOLOWER)
  list(APPEND supplied ${dlls})
endforeach()

# The installed DLLs beside the programs, as named and in lower case, as imports name them.
file(GLOB installed RELATIVE ${PREFIX} ${PREFIX}/*.dll)
list(TRANSFORM installed TOLOWER OUTPUT_VARIABLE installed_lower)

file(GLOB roots ${PREFIX}/*.exe ${PREFIX}/*/*.dll)
set(needed)
while(roots)
  list(POP_FRONT roots file)
  imports(${file} names)
  foreach(name IN LISTS names)
    if(NOT name IN_LIST supplied OR name IN_LIST needed)
      continue()
    endif()
    list(FIND installed_lower ${name} at)
    if(at LESS 0)
      message(FATAL_ERROR "${file} imports ${name}, which is not installed")
    endif()
    list(APPEND needed ${name})
    list(GET installed ${at} dll)
    list(APPEND roots ${PREFIX}/${dll})
  endforeach()
endwhile()

foreach(name IN LISTS installed_lower)
  if(NOT name IN_LIST needed)
    message(FATAL_ERROR "${name} is installed, but nothing imports it")
  endif()
endforeach()
list(LENGTH needed count)
message(STATUS "${count} DLLs installed, each imported: ${needed}")
