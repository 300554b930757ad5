# Runs a host built by another compiler as an integrator installs it: the program alone in
# program/ (it brings no runtime of its own beyond the system's), dist/ in modules/. Fails unless
# the program imports system DLLs only, ends well, and prints each step of the scenario in order,
# with the values worked out by hand (the programs check the details themselves and print
# "FAILED: ..." for each that does not hold).
# Arguments (-D): HOST (the program), DIST, WORK (a scratch folder), EMULATOR (wine), OBJDUMP.
get_filename_component(program ${HOST} NAME)

# No C++ runtime, no compiler runtime DLL: what any Windows system has.
execute_process(COMMAND ${OBJDUMP} -p ${HOST} OUTPUT_VARIABLE headers RESULT_VARIABLE rc)
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
if(NOT rc EQUAL 0 OR NOT imports)
  message(FATAL_ERROR "cannot read the imports of ${HOST}")
endif()
foreach(import ${imports})
  string(TOLOWER "${import}" import)
  if(NOT import MATCHES "^dll name: (kernel32|msvcrt|oleaut32)\\.dll$")
    message(FATAL_ERROR "${program} imports more than the system's DLLs: ${imports}")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(COPY ${HOST} DESTINATION ${WORK}/program)
file(COPY ${DIST}/ DESTINATION ${WORK}/modules)
execute_process(COMMAND ${EMULATOR} ${WORK}/program/${program} ${WORK}/modules
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE rc TIMEOUT 120)
message(STATUS "${output}${errors}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${program} ended with ${rc}")
endif()

# Due 85.00, gratuity 10.00 typed: the window's amount is 95, the payment keeps 85 plus 10, the
# cash-up row carries 95.00 and the gratuity row 10.00. The callback's error comes back as it
# left; the database's message reaches the log line whole; the module's own error names its
# unit and line; a failure without an error object is told by its code, not by an older one. The database factory is withdrawn for the last step: 7 of the host's 8 remain.
set(expected_steps
  "the host registers 8 services"
  "InitModule: the module registers 9 services"
  "window \"Uber Details\" opens"
  "keypad \"Enter Uber Gratuity: \""
  "amount box shows 95 rands 0 cents"
  "window closes with result OK"
  "payment now reads amount 85.00, gratuity 10.00"
  "DoPaymentPopup returned true: amount 85.00, gratuity 10.00"
  "cash-up row for invoice 7, shift 1: \"PAYMENT:Uber\" under \"\", 95.00"
  "cash-up row for invoice 7, shift 1: \"GRATUITY\" under \"PAYMENT:Uber\", 10.00"
  "AddCashupEntry failed with 0x80040201: The cash-up of shift 1 is closed (ECashupClosed)"
  "  2 scripts"
  "after FreeObjects the object is held 0 times"
  "after the payment object is released the object is held 0 times"
  "menu \"Lists\" gets \"Extra Payments Reports\""
  "access code AM020 granted"
  "window \"Extra Payments Report\" opens with 9 controls"
  "viewer shows a page of "
  "AddTransaction answered -1"
  "the log reads: [TExtraPaymentsTransaction.AddTransaction] Error : Timeout expired. The server did not answer within 30 seconds"
  "the log reads: [TExtraPaymentsTransaction.AddTransaction] Error : The call failed with code 0x80040E31"
  "RemoveCashupEntry failed with 0x80004005: Could not create DBScript (implPaymentMethodUber, line 125) (EAssertionFailed)"
  "FinalModule: 7 registrations left, the host's own"
  "unloaded"
  "every check held")
set(rest "${output}")
foreach(step ${expected_steps})
  string(FIND "${rest}" "${step}" at)
  if(at LESS 0)
    message(FATAL_ERROR "${program}: missing, or out of order: ${step}")
  endif()
  string(LENGTH "${step}" length)
  math(EXPR at "${at} + ${length}")
  string(SUBSTRING "${rest}" ${at} -1 rest)
endforeach()
if(output MATCHES "FAILED:")
  message(FATAL_ERROR "${program} reports failed checks")
endif()
# The module carries its own C++ runtime, and its log header says so.
file(GLOB logs ${WORK}/modules/*OrvoExtraPayments.ovm.log)
file(READ "${logs}" log)
if(NOT log MATCHES "\nRuntime:  built in \\(the C\\+\\+ runtime of GCC [0-9.]+, linked statically\\)")
  message(FATAL_ERROR "the module's log does not say its runtime is built in:\n${log}")
endif()
