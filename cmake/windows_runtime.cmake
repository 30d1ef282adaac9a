# Runs at install time for the Windows program folder (see
# windows_package.cmake, which sets the IGN_ variables): copies Qt's plugins
# and every DLL the programs and plugins load, then strips them with the
# programs when the install strips.
cmake_policy(VERSION 3.22)
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(plugins "")
set(copied "")
foreach(entry IN LISTS IGN_QT_PLUGIN_FILES)
  string(REGEX MATCH "^([^=]*)=(.*)$" entry "${entry}")
  set(plugin "${CMAKE_MATCH_2}")
  get_filename_component(name "${plugin}" NAME)
  file(INSTALL "${plugin}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${CMAKE_MATCH_1}")
  list(APPEND plugins "${plugin}")
  list(APPEND copied "${folder}/${CMAKE_MATCH_1}/${name}")
endforeach()

set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${IGN_MINGW_OBJDUMP}")

# Windows finds DLLs whatever the case of their names, and CMake asks for them
# in lower case, which a Linux folder does not answer for Qt6Core.dll: the
# DLLs of the folders are looked up by their lower-case names here, and each
# one found is searched for the DLLs it loads in turn.
foreach(dir IN LISTS IGN_DLL_DIRS)
  file(GLOB dlls "${dir}/*.dll")
  foreach(dll IN LISTS dlls)
    get_filename_component(name "${dll}" NAME)
    string(TOLOWER "${name}" name)
    if(NOT DEFINED "dll_at_${name}")
      set("dll_at_${name}" "${dll}")
    endif()
  endforeach()
endforeach()

set(libraries "")
set(more start)
while(more)
  file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES ${IGN_PROGRAMS}
    MODULES ${plugins}
    LIBRARIES ${libraries}
    DIRECTORIES ${IGN_DLL_DIRS}
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR unresolved
    CONFLICTING_DEPENDENCIES_PREFIX conflicting)
  if(conflicting_FILENAMES)
    message(FATAL_ERROR "DLLs found in more than one folder: ${conflicting_FILENAMES}")
  endif()
  set(more "")
  set(missing "")
  foreach(dll IN LISTS unresolved)
    string(TOLOWER "${dll}" name)
    if(DEFINED "dll_at_${name}")
      if(NOT "${dll_at_${name}}" IN_LIST libraries)
        list(APPEND more "${dll_at_${name}}")
      endif()
    # What is in none of the folders must come with Windows itself: API
    # sets, and the DLLs MinGW has an import library for.
    elseif(NOT name MATCHES "^(api|ext)-ms-")
      string(REGEX REPLACE "\\.dll$" "" stem "${name}")
      if(NOT EXISTS "${IGN_IMPORT_LIB_DIR}/lib${stem}.a")
        list(APPEND missing "${dll}")
      endif()
    endif()
  endforeach()
  if(missing)
    message(FATAL_ERROR "DLLs the programs load but nobody ships: ${missing}")
  endif()
  list(APPEND libraries ${more})
endwhile()
list(APPEND resolved ${libraries})
list(REMOVE_DUPLICATES resolved)

foreach(dll IN LISTS resolved)
  get_filename_component(name "${dll}" NAME)
  file(INSTALL "${dll}" DESTINATION "${CMAKE_INSTALL_PREFIX}")
  list(APPEND copied "${folder}/${name}")
endforeach()

if(CMAKE_INSTALL_DO_STRIP)
  foreach(file IN LISTS copied)
    execute_process(COMMAND "${IGN_MINGW_STRIP}" --strip-all "${file}" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
