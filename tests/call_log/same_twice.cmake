# Flies one scenario twice with a call log (SIM, PLUGIN, PEER, ACF,
# SCENARIO, OUT) and passes when both runs give the same log byte for byte:
# nothing in it may depend on where the plug-ins or the host's objects sit
# in memory.
foreach(run first second)
  execute_process(
    COMMAND ${SIM} --plugin ${PLUGIN} --plugin ${PEER} --aircraft ${ACF}
      --scenario ${SCENARIO} --window 256x256 --out ${OUT}/${run}
      --call-log ${OUT}/${run}.log
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the ${run} run ended with '${status}':\n${output}${errors}")
  endif()
endforeach()
file(SIZE ${OUT}/first.log size)
if(size EQUAL 0)
  message(FATAL_ERROR "the call log is empty")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/first.log ${OUT}/second.log
  RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "the two runs' call logs differ: ${OUT}/first.log, ${OUT}/second.log")
endif()
