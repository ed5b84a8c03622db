# Installs the program into a fresh prefix, starts it under a virtual X server
# with a record on its command line, and checks the picture it takes of itself.
# Variables: BUILD_DIR, WORK_DIR, HELPER; with CPACK set, the prefix is /usr of
# the Debian package made by that cpack, unpacked as dpkg would unpack it.

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/home")

if(CPACK)
  execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake"
                          -B "${WORK_DIR}/package"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(GLOB deb "${WORK_DIR}/package/korvane_*.deb")
  if(NOT rc EQUAL 0 OR NOT deb)
    message(FATAL_ERROR "no package made (${rc}):\n${out}")
  endif()
  execute_process(COMMAND dpkg-deb -f "${deb}" Depends OUTPUT_VARIABLE depends RESULT_VARIABLE rc)
  # What the program links, and what it only loads at run time.
  foreach(d libqt5widgets5 libqt5multimedia5 libkf5xmlgui5 libkf5configcore5
            fonts-ipafont-mincho libqt5multimedia5-plugins)
    if(NOT depends MATCHES "(^|, )${d}( |,|$)")
      message(FATAL_ERROR "the package does not depend on ${d}: ${depends}")
    endif()
  endforeach()
  execute_process(COMMAND dpkg-deb -x "${deb}" "${WORK_DIR}/root" RESULT_VARIABLE rc)
  set(prefix "${WORK_DIR}/root/usr")
  set(installed bin/korvane-usi)
else()
  set(prefix "${WORK_DIR}/prefix")
  execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                  RESULT_VARIABLE rc OUTPUT_QUIET)
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
foreach(f bin/korvane ${installed} share/applications/korvane.desktop
          share/metainfo/korvane.metainfo.xml share/mime/packages/korvane-record.xml
          share/doc/HTML/ja/Korvane/KorvaneHelp.htm share/doc/HTML/en/Korvane/KorvaneHelp.htm
          share/pixmaps/Korvane/board.bmp share/pixmaps/Korvane/komawest.bmp
          share/sounds/Korvane/putkoma.wav share/icons/hicolor/48x48/apps/korvane.png)
  if(NOT EXISTS "${prefix}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

set(record "${WORK_DIR}/opening.kvn")
execute_process(COMMAND "${HELPER}" record "${record}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not write the record")
endif()

# Under a real X server the desktop's message-bus library keeps a buffer to
# the end; a sanitizer build would call that a leak of the program.
set(lsan "${WORK_DIR}/lsan.supp")
file(WRITE "${lsan}" "leak:libdbus-1.so\nleak:libxcb\nleak:libX11\nleak:libfontconfig\n")

set(shot "${WORK_DIR}/korvane.png")
find_program(XVFB_RUN xvfb-run)
set(env "${CMAKE_COMMAND}" -E env "KORVANE_SCREENSHOT=${shot}" "HOME=${WORK_DIR}/home"
        "XDG_CONFIG_HOME=${WORK_DIR}/home/config" "XDG_DATA_HOME=${WORK_DIR}/home/data"
        "XDG_CACHE_HOME=${WORK_DIR}/home/cache"
        "LSAN_OPTIONS=suppressions=${lsan}:fast_unwind_on_malloc=0"
        --unset=SESSION_MANAGER)
if(XVFB_RUN)
  set(run "${XVFB_RUN}" -a -s "-screen 0 1280x1024x24" ${env} QT_QPA_PLATFORM=xcb)
else()
  set(run ${env} QT_QPA_PLATFORM=offscreen)
endif()
execute_process(COMMAND ${run} "${prefix}/bin/korvane" "${record}"
                RESULT_VARIABLE rc TIMEOUT 120 OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "korvane ended with ${rc}:\n${out}")
endif()
execute_process(COMMAND "${HELPER}" check "${shot}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "bad screenshot ${shot}")
endif()
message(STATUS "screenshot: ${shot}")
