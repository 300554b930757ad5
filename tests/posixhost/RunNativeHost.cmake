# Runs the sample host natively as a host author installs it: the module alone in a folder of its
# own. Fails unless the program lends the module its thread error slot (exports it), ends well
# with nothing on stderr (a sanitizer's report goes there), prints each step of the sample in
# order (../wine/HostSteps.cmake) with a page of some bytes, and the module logs the payment the
# sample made: Uber, 85.00 due, "UBER-1234" typed.
# Arguments (-D): HOST (the program), MODULE, WORK (a scratch folder), NM.
execute_process(COMMAND ${NM} -D --defined-only ${HOST} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT symbols MATCHES " T orvo_ThreadErrorSlot\n")
  message(FATAL_ERROR "${HOST} does not export orvo_ThreadErrorSlot: the module's errors would lose their texts")
endif()

file(REMOVE_RECURSE ${WORK})
file(COPY ${MODULE} DESTINATION ${WORK}/modules)
execute_process(COMMAND ${HOST} ${WORK}/modules OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE rc
                TIMEOUT 120)
message(STATUS "${output}${errors}")
if(NOT rc EQUAL 0 OR errors)
  message(FATAL_ERROR "the sample host ended with ${rc}, or wrote to stderr")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/../wine/HostSteps.cmake)
orvo_check_steps(${HOST} "${output}" ${steps_sample})
if(NOT output MATCHES "viewer shows a page of [1-9]")
  message(FATAL_ERROR "the sample host's report is empty")
endif()

file(GLOB log ${WORK}/modules/*OrvoExtraPayments.ovm.log)
file(STRINGS "${log}" payment REGEX "\\] Uber: Amount: 85 \\| Gratuity: 0 \\| Reference: UBER-1234$")
if(NOT payment)
  message(FATAL_ERROR "the module's log (${log}) does not record the sample's payment")
endif()
