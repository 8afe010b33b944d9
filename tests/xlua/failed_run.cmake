# Runs quil-sim on an aircraft whose scripts fail (SIM, ACF, SCENARIO, OUT)
# and passes when the run ends with status 1, not a crash, and its report
# holds every text the scenario names in a "# report holds: TEXT" line.
execute_process(
  COMMAND ${SIM} --aircraft ${ACF} --aircraft-plugins --no-graphics
    --scenario ${SCENARIO} --out ${OUT}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status STREQUAL "1")
  message(FATAL_ERROR "quil-sim ended with '${status}', not 1:\n${output}${errors}")
endif()
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
