# Runs a host built by another compiler as an integrator installs it: the program alone in
# program/ (it brings no runtime of its own beyond the system's), dist/ in modules/. Fails unless
# the program imports system DLLs only, ends well, and prints each step of the scenario in order,
# with the values worked out by hand (the programs check the details themselves and print
# "FAILED: ..." for each that does not hold).
# Arguments (-D): HOST (the program), DIST, WORK (a scratch folder), EMULATOR (wine), OBJDUMP;
# SCENARIO "pascal" for the Pascal host's own steps, "sample" for the sample host's, "plain" for
# the plain C++ face's (default: the conformance scenario).
get_filename_component(program ${HOST} NAME)

# No C++ runtime, no compiler runtime DLL: what any Windows system has.
set(system_dlls kernel32|msvcrt|oleaut32)
if(SCENARIO STREQUAL "pascal")
  set(system_dlls kernel32|oleaut32|ole32|user32)
endif()
execute_process(COMMAND ${OBJDUMP} -p ${HOST} OUTPUT_VARIABLE headers RESULT_VARIABLE rc)
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
if(NOT rc EQUAL 0 OR NOT imports)
  message(FATAL_ERROR "cannot read the imports of ${HOST}")
endif()
foreach(import ${imports})
  string(TOLOWER "${import}" import)
  if(NOT import MATCHES "^dll name: (${system_dlls})\\.dll$")
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

# The module's own error when the host has withdrawn the database names its unit and the line
# of its source that asserts (RemoveCashupEntry): read from that source, not typed here.
file(READ ${CMAKE_CURRENT_LIST_DIR}/../../payments/ExtraPaymentMethod.cpp source)
string(FIND "${source}" "\"Could not create DBScript\", {names_.unitName, __LINE__}" at)
if(at LESS 0)
  message(FATAL_ERROR "payments/ExtraPaymentMethod.cpp no longer asserts the database in RemoveCashupEntry")
endif()
string(SUBSTRING "${source}" 0 ${at} before)
string(REGEX MATCHALL "\n" breaks "${before}")
list(LENGTH breaks line)
math(EXPR line "${line} + 1")
set(module_error "Could not create DBScript (implPaymentMethodUber, line ${line}) (EAssertionFailed)")
# Due 85.00, gratuity 10.00 typed: the window's amount is 95, the payment keeps 85 plus 10, the
# cash-up row carries 95.00 and the gratuity row 10.00. The callback's error comes back as it
# left; the database's message reaches the log line whole; the module's own error names its
# unit and line; a failure without an error object is told by its code, not by an older one.
# The database factory is withdrawn for the last step: 7 of the host's 8 remain.
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
  "RemoveCashupEntry failed with 0x80004005: ${module_error}"
  "FinalModule: 7 registrations left, the host's own"
  "unloaded"
  "every check held")
if(SCENARIO STREQUAL "pascal")
  # Amount 85, gratuity 10, set by the host: two notifications, two cash-up rows. The exceptions
  # of a Pascal callback and of a Pascal service come back with their class; so does the
  # module's own; the attached jars are freed once each.
  set(expected_steps
    "InitModule: the module registers 9 services"
    "payment now reads amount 85.00, gratuity 0.00"
    "payment now reads amount 85.00, gratuity 10.00"
    "7 1 \"PAYMENT:Uber\" \"\" 0 95.00 0 1"
    "7 1 \"GRATUITY\" \"PAYMENT:Uber\" 0 10.00 0 1"
    "AddCashupEntry with the callback raising raised EOleException: The cash-up of shift 1 is closed (ECashupClosed)"
    "RemoveCashupEntry with the database raising raised EOleException: Timeout expired. The server did not answer within 30 seconds (EHostDatabase)"
    "RemoveCashupEntry without a database raised EOleException: ${module_error}"
    "GetObjectAt(99) raised EOleException: List index out of bounds (99) (EStringListError)"
    "after FreeObjects 2 jars freed"
    "FinalModule: 1 registrations left, the host's own"
    "unloaded"
    "every check held")
endif()
if(SCENARIO STREQUAL "sample")
  # The sample: one payment, one report, nothing checked beyond the steps; 6 services of the
  # host's and 9 of the module's, then the host's alone.
  set(expected_steps
    "InitModule: 15 registrations in the container"
    "window \"Uber Details\""
    "paid: yes"
    "menu \"Lists\" gets \"Extra Payments Reports\""
    "access code AM020 granted"
    "window \"Extra Payments Report\""
    "viewer shows a page of "
    "unloaded, 6 registrations left")
endif()
if(SCENARIO STREQUAL "plain")
  # A container that lends nothing: the module's 9 registrations, the payment methods in the
  # order it registers them, the one reference it holds on the container given back at FinalModule.
  set(expected_steps
    "InitModule: the module registers 9 services and holds the container 1 time(s)"
    "payment method 1: \"Uber\""
    "payment method 2: \"Mr D\""
    "payment method 3: \"ABSA\""
    "payment method 4: \"Nedbank\""
    "payment method 5: \"Other CC\""
    "GetName: \"Mr D\", 4 characters"
    "config: Key reads \"Value\""
    "GetName into a null pointer fails with 0x80004005: A result pointer is null (EArgumentNil)"
    "FinalModule: 0 registrations left, the container held 0 time(s)"
    "unloaded"
    "every check held")
endif()
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
