# korvane-record convert from a shell: a game goes KIF -> CSA -> USI unchanged;
# a broken record fails with one line naming the file and the line, and leaves
# no output file. Run with -DTOOL=... -DWORK=...
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(game "position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*4e")
file(WRITE ${WORK}/a.usi "${game}\n")
foreach(step "a.usi;b.kif" "b.kif;c.csa" "c.csa;d.usi")
  list(GET step 0 in)
  list(GET step 1 out)
  execute_process(COMMAND ${TOOL} convert ${WORK}/${in} ${WORK}/${out} RESULT_VARIABLE rc
                  ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${in} -> ${out} failed: ${err}")
  endif()
endforeach()
file(READ ${WORK}/d.usi back)
if(NOT back STREQUAL "${game}\n")
  message(FATAL_ERROR "came back as '${back}'")
endif()

file(WRITE ${WORK}/bad.csa "PI\n+\n+7776FU\n+2726FU\n")
execute_process(COMMAND ${TOOL} convert ${WORK}/bad.csa ${WORK}/bad.kif RESULT_VARIABLE rc
                ERROR_VARIABLE err)
if(rc EQUAL 0 OR EXISTS ${WORK}/bad.kif OR NOT err MATCHES "bad.csa: line 4: [^\n]+\n$")
  message(FATAL_ERROR "a broken record: exit ${rc}, message '${err}'")
endif()
