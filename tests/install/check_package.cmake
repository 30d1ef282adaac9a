cmake_minimum_required(VERSION 3.22)
# Makes the Debian package of the build, checks its control fields and file
# list, and runs igntable from the unpacked package.
set(work "${BUILD_DIR}/package-check")
file(REMOVE_RECURSE "${work}")
execute_process(COMMAND cpack --config "${BUILD_DIR}/CPackConfig.cmake" -B "${work}"
                RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB debs "${work}/*.deb")
list(LENGTH debs count)
if(NOT result EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made no single package (${result}):\n${log}")
endif()
get_filename_component(name "${debs}" NAME)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT name STREQUAL "igncalc_${VERSION}_${arch}.deb")
  message(FATAL_ERROR "unexpected package name ${name}")
endif()

execute_process(COMMAND dpkg-deb -I "${debs}" OUTPUT_VARIABLE control RESULT_VARIABLE result)
foreach(field "Package: igncalc" "Version: ${VERSION}" "Architecture: ${arch}")
  string(FIND "${control}" " ${field}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "control lacks \"${field}\":\n${control}")
  endif()
endforeach()
# Worked out from the binaries, so the window's toolkit must be there.
if(NOT control MATCHES "\n Depends: [^\n]*libc6[^\n]*libqt6widgets6")
  message(FATAL_ERROR "dependencies not worked out from the binaries:\n${control}")
endif()
# The charts are drawn with the widgets alone.
if(control MATCHES "\n Depends: [^\n]*libqt6(charts|opengl)")
  message(FATAL_ERROR "the package depends on Qt's charts or OpenGL modules:\n${control}")
endif()
if(NOT control MATCHES "\n Recommends: [^\n]*gputils")
  message(FATAL_ERROR "the assembler F9 starts is not recommended:\n${control}")
endif()

execute_process(COMMAND dpkg-deb -c "${debs}" OUTPUT_VARIABLE listing)
foreach(file usr/bin/igncalc usr/bin/igntable usr/share/applications/igncalc.desktop
             usr/share/icons/hicolor/scalable/apps/igncalc.svg
             usr/share/metainfo/net.igncalc.igncalc.metainfo.xml
             usr/share/man/man1/igncalc.1.gz usr/share/man/man1/igntable.1.gz)
  string(FIND "${listing}" " ./${file}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "package lacks ${file}:\n${listing}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -x "${debs}" "${work}/root" RESULT_VARIABLE result)
execute_process(COMMAND "${work}/root/usr/bin/igntable" --version
                WORKING_DIRECTORY "${work}" RESULT_VARIABLE result
                OUTPUT_VARIABLE version ERROR_VARIABLE version)
if(NOT result EQUAL 0 OR NOT version MATCHES "(^| )${VERSION}\n")
  message(FATAL_ERROR "igntable --version from the package gave ${result}: ${version}")
endif()
file(REMOVE_RECURSE "${work}")
