# Runs the sample host as an integrator installs it: the program with the runtime libraries of
# dist/ beside it in program/, the whole dist/ in modules/. Fails unless it ends well, prints
# each step with the amounts worked out by hand, and the module's log names the program's copy
# of the C++ runtime as the one in use (the host loaded it first; the module's copy stays unused).
# Arguments (-D): SAMPLE (the program), DIST, WORK (a scratch folder), EMULATOR (wine).
file(REMOVE_RECURSE ${WORK})
file(GLOB runtime ${DIST}/*.dll)
file(COPY ${SAMPLE} ${runtime} DESTINATION ${WORK}/program)
file(COPY ${DIST}/ DESTINATION ${WORK}/modules)
get_filename_component(program ${SAMPLE} NAME)

execute_process(COMMAND ${EMULATOR} ${WORK}/program/${program} ${WORK}/modules
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE rc TIMEOUT 120)
message(STATUS "${output}${errors}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the sample host ended with ${rc}")
endif()

# Due 85.00, gratuity 10.00 typed: the window's amount is 95, the payment keeps 85 plus 10, the
# cash-up row carries 95.00 and the gratuity row 10.00.
set(expected_steps
  "the host registers 8 services"
  "InitModule: the module registers 9 services"
  "window \"Uber Details\" opens"
  "amount box shows 95 rands 0 cents"
  "window closes with result OK"
  "DoPaymentPopup returned true: amount 85.00, gratuity 10.00"
  "cash-up row for invoice 7, shift 1: \"PAYMENT:Uber\" under \"\", 95.00"
  "cash-up row for invoice 7, shift 1: \"GRATUITY\" under \"PAYMENT:Uber\", 10.00"
  "menu \"Lists\" gets \"Extra Payments Reports\""
  "access code AM020 granted"
  "viewer shows a page of "
  "FinalModule: 8 registrations left, the host's own"
  "unloaded")
set(rest "${output}")
foreach(step ${expected_steps})
  string(FIND "${rest}" "${step}" at)
  if(at LESS 0)
    message(FATAL_ERROR "missing, or out of order: ${step}")
  endif()
  string(SUBSTRING "${rest}" ${at} -1 rest)
endforeach()

file(GLOB logs ${WORK}/modules/*OrvoExtraPayments.ovm.log)
file(READ "${logs}" log)
string(TOLOWER "${log}" log)
foreach(dll libstdc++-6.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
  string(FIND "${log}" "runtime:  " has_runtime_line)
  string(FIND "${log}" "\\program\\${dll} (" in_program)
  string(FIND "${log}" "\\modules\\${dll}" in_modules)
  if(has_runtime_line LESS 0 OR in_program LESS 0 OR NOT in_modules LESS 0)
    message(FATAL_ERROR "the log does not name program\\${dll} as the runtime in use:\n${log}")
  endif()
endforeach()
