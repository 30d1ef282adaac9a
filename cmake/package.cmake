# The Debian package: `cmake --build <build> --target package` makes
# igncalc_<version>_<arch>.deb from what `cmake --install` puts in place.

# Files that carry the version take it from project(), like the programs do.
set(IGN_GENERATED_INSTALL "${CMAKE_BINARY_DIR}/install")
configure_file(data/install/igncalc.metainfo.xml.in
               "${IGN_GENERATED_INSTALL}/net.igncalc.igncalc.metainfo.xml" @ONLY)
foreach(page igncalc igntable)
  configure_file(data/install/${page}.1.in "${IGN_GENERATED_INSTALL}/${page}.1" @ONLY)
  # Debian installs man pages compressed; -n keeps the package reproducible.
  execute_process(COMMAND gzip -9nf "${IGN_GENERATED_INSTALL}/${page}.1"
                  RESULT_VARIABLE gzipped)
  if(NOT gzipped EQUAL 0)
    message(FATAL_ERROR "gzip failed on the ${page} man page")
  endif()
  install(FILES "${IGN_GENERATED_INSTALL}/${page}.1.gz" DESTINATION share/man/man1)
endforeach()
install(FILES "${IGN_GENERATED_INSTALL}/net.igncalc.igncalc.metainfo.xml"
        DESTINATION share/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME igncalc)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "timing table calculator for a PIC16F628A ignition controller")
set(CPACK_PACKAGE_DESCRIPTION
    "Computes the timing tables of a home-built electronic ignition controller
on a PIC16F628A microcontroller from the crankshaft sensor, the controller
settings and the wanted ignition advance over engine speed, writes them as a
PIC assembler include and starts the firmware build. The window's texts are
Russian; igntable does the same calculation without the window.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ignition Calculator maintainers <maintainers@igncalc.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# F9 needs the assembler, Qt's own dialog buttons speak Russian only with its
# translations, and a bare system may have no font at all; everything else
# works without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gputils, qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
include(CPack)
