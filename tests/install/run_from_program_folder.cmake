cmake_minimum_required(VERSION 3.22)
# Runs a test program under wine from a copy of the Windows program folder
# (FOLDER), with the DLLs only tests load (EXTRA) beside it. Qt then takes the
# folder for its own, as it does for the installed window: the plugins and
# Qt's translation come from where the install put them, or not at all.
file(REMOVE_RECURSE "${SCRATCH}")
file(COPY "${FOLDER}/" DESTINATION "${SCRATCH}")
file(COPY "${PROGRAM}" ${EXTRA} DESTINATION "${SCRATCH}")
get_filename_component(name "${PROGRAM}" NAME)
execute_process(COMMAND "${WINE}" "${SCRATCH}/${name}" RESULT_VARIABLE result)
file(REMOVE_RECURSE "${SCRATCH}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${name} failed under wine: ${result}")
endif()
