# Installs the build tree into a fresh prefix and checks what a Linux desktop finds there.
# cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DPREFIX=... -P InstallTreeCheck.cmake
foreach(name BUILD_DIR SOURCE_DIR PREFIX)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "${name} not given")
  endif()
endforeach()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  bin/polvane
  share/polvane/Templates/Blank_English.venue
  share/polvane/Templates/Blank_Metric.venue
  share/applications/polvane.desktop
  share/icons/hicolor/scalable/apps/polvane.svg
  share/mime/packages/polvane.xml)
file(GLOB pages RELATIVE ${SOURCE_DIR}/help ${SOURCE_DIR}/help/source/*)
if(NOT pages)
  message(FATAL_ERROR "No help pages in ${SOURCE_DIR}/help/source")
endif()
foreach(page IN LISTS pages)
  list(APPEND expected share/polvane/Help/${page})
endforeach()
foreach(file IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "Not installed: ${file}")
  endif()
endforeach()
# Nothing of the program's data is left in bin/.
file(GLOB in_bin RELATIVE ${PREFIX}/bin ${PREFIX}/bin/*)
if(NOT in_bin STREQUAL "polvane")
  message(FATAL_ERROR "bin/ holds more than the program: ${in_bin}")
endif()

find_program(VALIDATE desktop-file-validate)
if(NOT VALIDATE)
  message(FATAL_ERROR "desktop-file-validate is missing (tools/install-deps installs it)")
endif()
execute_process(COMMAND ${VALIDATE} ${PREFIX}/share/applications/polvane.desktop
                RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT result EQUAL 0 OR NOT said STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${said}")
endif()
file(STRINGS ${PREFIX}/share/applications/polvane.desktop exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=polvane %f")
  message(FATAL_ERROR "The desktop entry runs \"${exec}\"")
endif()

# The file types, as the desktop's MIME database will see them.
find_program(UPDATE_MIME update-mime-database)
if(UPDATE_MIME)
  execute_process(COMMAND ${UPDATE_MIME} ${PREFIX}/share/mime RESULT_VARIABLE result
                  OUTPUT_QUIET ERROR_VARIABLE said)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "update-mime-database: ${said}")
  endif()
  file(READ ${PREFIX}/share/mime/globs2 globs)
  foreach(glob "application/x-polvane-venue:\\*\\.venue" "application/x-polvane-old-venue:\\*\\.vnu")
    if(NOT globs MATCHES ":${glob}\n")
      message(FATAL_ERROR "No MIME type for ${glob}")
    endif()
  endforeach()
  file(READ ${PREFIX}/share/applications/polvane.desktop entry)
  foreach(type application/x-polvane-venue application/x-polvane-old-venue)
    if(NOT entry MATCHES "\nMimeType=([^\n]*;)?${type};")
      message(FATAL_ERROR "The desktop entry does not open ${type}")
    endif()
  endforeach()
endif()
message(STATUS "Installed tree in ${PREFIX} is complete")
