# Runs quil-sim on an aircraft whose scripts fail (SIM, ACF, SCENARIO, OUT,
# and quil-sim's STATUS for it, 1 unless given, with ARGS, a list of extra
# options) and passes when the run ends with that status and its report.txt
# holds every text the scenario names in a "# report holds: TEXT" line.
if(NOT DEFINED STATUS)
  set(STATUS 1)
endif()
file(REMOVE_RECURSE ${OUT})
execute_process(
  COMMAND ${SIM} --aircraft ${ACF} --aircraft-plugins --no-graphics
    --scenario ${SCENARIO} --out ${OUT} ${ARGS}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status STREQUAL "${STATUS}")
  message(FATAL_ERROR "quil-sim ended with '${status}', not ${STATUS}:\n${output}${errors}")
endif()
file(READ ${OUT}/report.txt output)
file(STRINGS ${SCENARIO} wanted REGEX "^# report holds: ")
if(NOT wanted)
  message(FATAL_ERROR "${SCENARIO} names nothing the report must hold")
endif()
foreach(line IN LISTS wanted)
  string(REPLACE "# report holds: " "" text "${line}")
  string(FIND "${output}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the report lacks '${text}':\n${output}")
  endif()
endforeach()
