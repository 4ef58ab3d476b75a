# Installs the build into a scratch prefix and checks the laid-out files:
# cmake -DBUILD=dir -DPREFIX=dir -P check-install.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(expected
  bin/kalyx5pc bin/kalyx5pc-cli bin/kalyx5-simulator
  share/kalyx5pc/kalyx5pc.qch share/kalyx5pc/kalyx5pc.qhc
  share/kalyx5pc/kalyx5pc-help/QalHelp.html share/kalyx5pc/kalyx5pc-help/QalAutosequenceEditHelp.html
  share/kalyx5pc/kalyx5pc-help/QalTestReportHelp.html share/kalyx5pc/kalyx5pc-help/QalWaveformViewerHelp.html
  share/kalyx5pc/kalyx5pc-help/QalArchiveHelp.html share/kalyx5pc/department-archive.sql
  share/kalyx5pc/kalyx5pc-help/style.css share/kalyx5pc/kalyx5pc-help/images/test-reports.png
  share/applications/com.velmora.kalyx5pc.desktop
  share/metainfo/com.velmora.kalyx5pc.metainfo.xml
  share/icons/hicolor/scalable/apps/com.velmora.kalyx5pc.svg
  share/icons/hicolor/16x16/apps/com.velmora.kalyx5pc.png share/icons/hicolor/24x24/apps/com.velmora.kalyx5pc.png
  share/icons/hicolor/32x32/apps/com.velmora.kalyx5pc.png share/icons/hicolor/48x48/apps/com.velmora.kalyx5pc.png
  share/icons/hicolor/64x64/apps/com.velmora.kalyx5pc.png share/icons/hicolor/128x128/apps/com.velmora.kalyx5pc.png
  share/icons/hicolor/256x256/apps/com.velmora.kalyx5pc.png
  share/man/man1/kalyx5pc.1.gz share/man/man1/kalyx5pc-cli.1.gz share/man/man1/kalyx5-simulator.1.gz
  lib/udev/rules.d/70-kalyx5-analyzer.rules
  lib/kalyx5pc/kalyx5pc-cli-printing.so)
foreach(f ${expected})
  if(NOT EXISTS ${PREFIX}/${f})
    message(SEND_ERROR "missing: ${f}")
  endif()
endforeach()
# Nothing else but the help's pictures: no test programs, no build tools, no headers.
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
foreach(f ${installed})
  list(FIND expected ${f} known)
  if(known EQUAL -1 AND NOT f MATCHES "^share/kalyx5pc/kalyx5pc-help/images/[a-z-]+\\.png$")
    message(SEND_ERROR "not expected: ${f}")
  endif()
endforeach()
# The icon sizes are what their folders say.
file(READ ${PREFIX}/share/icons/hicolor/48x48/apps/com.velmora.kalyx5pc.png png HEX LIMIT 24)
string(SUBSTRING "${png}" 32 16 size)
if(NOT size STREQUAL "0000003000000030")
  message(SEND_ERROR "the 48x48 icon is not 48 by 48: ${size}")
endif()
# The installed command-line program finds its printing module.
execute_process(COMMAND ${PREFIX}/bin/kalyx5pc-cli --demo waves --pdf ${PREFIX}/waves.pdf
                RESULT_VARIABLE failed ERROR_VARIABLE printing_error OUTPUT_QUIET)
if(failed OR NOT EXISTS ${PREFIX}/waves.pdf)
  message(SEND_ERROR "the installed kalyx5pc-cli could not print: ${printing_error}")
endif()
