# Runs the sample host natively as a host author installs it: the module alone in a folder of its
# own. Fails unless the program lends the module its thread error slot (exports it), ends well
# with nothing on stderr (a sanitizer's report goes there), prints each step of the sample in
# order and the module logs the payment the sample made: Uber, 85.00 due, "UBER-1234" typed.
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

# In order: 6 services of the host's and 9 of the module's, one payment, one report, then the
# host's 6 alone.
set(steps "InitModule: 15 registrations in the container" "window \"Uber Details\"" "paid: yes"
          "menu \"Lists\" gets \"Extra Payments Reports\"" "access code AM020 granted"
          "window \"Extra Payments Report\"" "viewer shows a page of [1-9]" "unloaded, 6 registrations left\n")
string(REPLACE ";" ".*" steps "${steps}")
if(NOT output MATCHES "${steps}")
  message(FATAL_ERROR "the sample host did not print these steps in order: ${steps}")
endif()

file(GLOB log ${WORK}/modules/*OrvoExtraPayments.ovm.log)
file(STRINGS "${log}" payment REGEX "\\] Uber: Amount: 85 \\| Gratuity: 0 \\| Reference: UBER-1234$")
if(NOT payment)
  message(FATAL_ERROR "the module's log (${log}) does not record the sample's payment")
endif()
