cmake_minimum_required(VERSION 3.22)
# Makes the Windows program folder with `cmake --install --strip`, as the
# packages get it, checks that it holds what the window needs to start on a
# machine with nothing else installed, every binary stripped, and runs
# igntable from it under wine with no other folder on the DLL search path.
file(REMOVE_RECURSE "${FOLDER}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${FOLDER}" --strip
                RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}\n${log}")
endif()

# Not the list the install works from (it finds the DLLs by itself), but what
# a user's machine must find beside the programs.
foreach(file igncalc.exe igntable.exe
             Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll
             libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll
             platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll
             translations/qtbase_ru.qm)
  if(NOT EXISTS "${FOLDER}/${file}")
    message(FATAL_ERROR "missing from the program folder: ${file}")
  endif()
endforeach()
# Only what the programs load: nothing of the tests.
file(GLOB_RECURSE binaries RELATIVE "${FOLDER}" "${FOLDER}/*.exe" "${FOLDER}/*.dll")
foreach(file IN LISTS binaries)
  if(file MATCHES "Test|gtest|mpasm|notepad")
    message(FATAL_ERROR "the program folder holds ${file}, which only the tests need")
  endif()
  execute_process(COMMAND "${OBJDUMP}" --syms "${FOLDER}/${file}" OUTPUT_VARIABLE symbols)
  execute_process(COMMAND "${OBJDUMP}" --section-headers "${FOLDER}/${file}" OUTPUT_VARIABLE sections)
  if(symbols MATCHES "\\[ *[0-9]+\\]" OR sections MATCHES "\\.debug_")
    message(FATAL_ERROR "${file} is not stripped")
  endif()
endforeach()

execute_process(COMMAND "${WINE}" "${FOLDER}/igntable.exe" --version
                OUTPUT_VARIABLE version RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT version MATCHES "${VERSION}")
  message(FATAL_ERROR "igntable.exe does not run from the program folder (${result}): ${version}${errors}")
endif()
