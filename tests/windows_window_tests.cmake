# The window built for Windows, tested under wine (CMAKE_CROSSCOMPILING_EMULATOR).
# Every test here starts wine in one shared prefix, and the window's tests
# restart its server for a display: they run one at a time.

# The test programs load Qt and the compiler's runtime from where they were
# built; wine takes PATH from WINEPATH, in its own spelling of the Unix root.
set(dll_dirs "$<TARGET_FILE_DIR:Qt6::Core>")
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(found "${found}" DIRECTORY)
  list(APPEND dll_dirs "${found}")
endforeach()
list(TRANSFORM dll_dirs PREPEND "Z:")
string(REPLACE ";" "\\;" wine_path "${dll_dirs}")
set(wine_env "WINEPATH=${wine_path}")

set_tests_properties(core_tests igntable_sample PROPERTIES ENVIRONMENT "${wine_env}")

# The program folder as `cmake --install` makes it, which the tests after it
# start the window from.
set(program_folder "${CMAKE_BINARY_DIR}/program-folder")
add_test(NAME windows_program_folder
  COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DFOLDER=${program_folder}
          -DWINE=${CMAKE_CROSSCOMPILING_EMULATOR} -DOBJDUMP=${IGN_MINGW_OBJDUMP}
          -DVERSION=${PROJECT_VERSION}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/install/check_windows_folder.cmake)
set_tests_properties(windows_program_folder PROPERTIES TIMEOUT 300 LABELS tool
  RESOURCE_LOCK wine FIXTURES_SETUP windows_program_folder)

# The widget tests, offscreen, from the program folder. Wine passes no QT_
# variable through, WINEQT_ ones arrive without the prefix: the offscreen
# plugin on Windows draws with the fonts of one folder.
add_test(NAME ui_tests
  COMMAND ${CMAKE_COMMAND} -DFOLDER=${program_folder} -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/ui-tests-folder
          -DPROGRAM=$<TARGET_FILE:ui_tests> -DEXTRA=$<TARGET_FILE:Qt6::Test>
          -DWINE=${CMAKE_CROSSCOMPILING_EMULATOR}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/install/run_from_program_folder.cmake)
set_tests_properties(ui_tests PROPERTIES TIMEOUT 900 LABELS unit RESOURCE_LOCK wine
  FIXTURES_REQUIRED windows_program_folder
  ENVIRONMENT "WINEQT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/dejavu")

# Stand-ins for the assembler and Notepad, which record how the window started
# them; linked statically to run from any folder.
add_executable(stand_in_mpasm e2e/recording_program.cpp)
set_target_properties(stand_in_mpasm PROPERTIES OUTPUT_NAME mpasm)
target_compile_definitions(stand_in_mpasm PRIVATE IGN_WRITES_FIRMWARE)
add_executable(stand_in_notepad e2e/recording_program.cpp)
set_target_properties(stand_in_notepad PROPERTIES OUTPUT_NAME notepad)
foreach(stand_in stand_in_mpasm stand_in_notepad)
  target_link_options(${stand_in} PRIVATE -static)
  set_target_properties(${stand_in} PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                        "${CMAKE_CURRENT_BINARY_DIR}/stand-ins")
endforeach()

find_program(IGN_XVFB_RUN xvfb-run)
find_program(IGN_XDOTOOL xdotool)
find_program(IGN_XCLIP xclip)
if(IGN_XVFB_RUN AND IGN_XDOTOOL AND IGN_XCLIP)
  add_test(NAME e2e_window_wine
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/windows_window_e2e.sh ${program_folder}
            ${CMAKE_CURRENT_BINARY_DIR}/stand-ins ${CMAKE_BINARY_DIR}/e2e-artifacts)
  set_tests_properties(e2e_window_wine PROPERTIES TIMEOUT 600 LABELS e2e
    RESOURCE_LOCK wine FIXTURES_REQUIRED windows_program_folder)
  add_test(NAME windows_installer
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/install/windows_installer.sh
            ${CMAKE_BINARY_DIR}/igncalc-${PROJECT_VERSION}-win64.exe
            ${CMAKE_BINARY_DIR}/installer-artifacts)
  set_tests_properties(windows_installer PROPERTIES TIMEOUT 600 LABELS e2e RESOURCE_LOCK wine)
else()
  message(STATUS "xvfb-run, xdotool or xclip not found: the window is not tested under wine")
endif()
