# The Windows program folder and what ships it: `cmake --install` puts the
# programs, the DLLs they load, Qt's plugins and its Russian translation side
# by side, and `--target package` makes the installer and the portable archive
# of that same folder.

# Qt's plugins, each with the folder it is looked up in beside the program:
# the windows platform plugin shows the window, offscreen serves the tests that
# run without a display, and the windowsvista style draws the controls as the
# system does.
set(IGN_QT_PLUGIN_FILES
  "platforms=$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>"
  "platforms=$<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>"
  "styles=$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>")

# Qt's own dialog buttons speak Russian with this file. Debian's translations
# are data, the same for every system.
find_file(IGN_QTBASE_RU qtbase_ru.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH)
if(NOT IGN_QTBASE_RU)
  message(FATAL_ERROR "qtbase_ru.qm not found: install qt6-translations-l10n")
endif()
install(FILES ${IGN_QTBASE_RU} DESTINATION translations)

# The DLLs come from Qt's bin folder and the compiler's runtime folders; a
# DLL found in none of them must be one every Windows has, which MinGW can
# link against through an import library of the same name.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-search-dirs
                OUTPUT_VARIABLE IGN_SEARCH_DIRS COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "libraries: =([^\n]*)" IGN_SEARCH_DIRS "${IGN_SEARCH_DIRS}")
string(REPLACE ":" ";" IGN_COMPILER_LIB_DIRS "${CMAKE_MATCH_1}")
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libkernel32.a
                OUTPUT_VARIABLE IGN_KERNEL32_IMPORT OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(IGN_IMPORT_LIB_DIR "${IGN_KERNEL32_IMPORT}" DIRECTORY)
find_program(IGN_MINGW_OBJDUMP ${IGN_MINGW_TRIPLE}-objdump REQUIRED)
find_program(IGN_MINGW_STRIP ${IGN_MINGW_TRIPLE}-strip REQUIRED)

install(CODE "
  set(IGN_PROGRAMS [[$<TARGET_FILE:igncalc>;$<TARGET_FILE:igntable>]])
  set(IGN_QT_PLUGIN_FILES [[${IGN_QT_PLUGIN_FILES}]])
  set(IGN_DLL_DIRS [[$<TARGET_FILE_DIR:Qt6::Core>;${IGN_COMPILER_LIB_DIRS}]])
  set(IGN_IMPORT_LIB_DIR [[${IGN_IMPORT_LIB_DIR}]])
  set(IGN_MINGW_OBJDUMP [[${IGN_MINGW_OBJDUMP}]])
  set(IGN_MINGW_STRIP [[${IGN_MINGW_STRIP}]])
")
install(SCRIPT cmake/windows_runtime.cmake)

# The installer: 64-bit (Debian's makensis makes a 32-bit one unless told,
# and that would put the program under "Program Files (x86)"), into Program
# Files, with a Start-menu entry and an uninstaller. The archive holds the
# same program folder for those who would rather unpack it anywhere.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME igncalc)
set(CPACK_PACKAGE_VENDOR igncalc)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "igncalc-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Калькулятор зажигания")
set(CPACK_PACKAGE_INSTALL_DIRECTORY igncalc)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY igncalc)
set(CPACK_PACKAGE_EXECUTABLES igncalc "Калькулятор зажигания")
set(CPACK_NSIS_PACKAGE_NAME "Калькулятор зажигания")
set(CPACK_NSIS_DISPLAY_NAME "Калькулятор зажигания")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME igncalc.exe)
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
