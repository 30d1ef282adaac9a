cmake_minimum_required(VERSION 3.22)
# Installs the build into a scratch prefix and checks that both programs, the
# desktop entry and the icon land where a desktop finds them.
set(prefix "${BUILD_DIR}/install-check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/igncalc bin/igntable share/applications/igncalc.desktop
             share/icons/hicolor/scalable/apps/igncalc.svg)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "missing after install: ${file}")
  endif()
endforeach()
file(STRINGS "${prefix}/share/applications/igncalc.desktop" entry)
if(NOT "Exec=igncalc" IN_LIST entry OR NOT "Icon=igncalc" IN_LIST entry)
  message(FATAL_ERROR "the desktop entry does not start igncalc with its icon")
endif()
execute_process(COMMAND "${prefix}/bin/igntable" --help RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed igntable does not run")
endif()

# The window is drawn with Qt's widgets alone: it links Qt's Core, Gui and
# Widgets and nothing of Qt's charts or OpenGL modules, which a Windows build
# from Debian's Qt sources would not have. (Qt's Gui itself loads the system's
# GL dispatch libraries; those are not ours to drop.)
execute_process(COMMAND readelf -d "${prefix}/bin/igncalc" OUTPUT_VARIABLE dynamic
                RESULT_VARIABLE result)
string(REGEX MATCHALL "libQt6[A-Za-z]+\\.so" linked "${dynamic}")
list(SORT linked)
if(NOT result EQUAL 0 OR NOT linked STREQUAL "libQt6Core.so;libQt6Gui.so;libQt6Widgets.so")
  message(FATAL_ERROR "igncalc should link only Qt's Widgets, Gui and Core, not: ${linked}")
endif()
execute_process(COMMAND ldd "${prefix}/bin/igncalc" OUTPUT_VARIABLE loaded RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR loaded MATCHES "libQt6(Charts|OpenGL)" OR NOT loaded MATCHES "libQt6Widgets")
  message(FATAL_ERROR "igncalc loads Qt's charts or OpenGL modules:\n${loaded}")
endif()
file(REMOVE_RECURSE "${prefix}")
