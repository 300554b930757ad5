# The steps each host prints, in order, with the values worked out by hand, and
# orvo_check_steps(<program> <output> <steps...>): fails unless there are steps and the output
# holds each as written, after the one before it. Included by RunSampleHost.cmake and
# ../posixhost/RunNativeHost.cmake; module_error is the module's own error text, set before.

# The conformance host. Due 85.00, gratuity 10.00 typed: the window's amount is 95, the payment
# keeps 85 plus 10, the cash-up row carries 95.00 and the gratuity row 10.00. The callback's error
# comes back as it left; the database's message reaches the log line whole; the module's own
# error names its unit and line; a failure without an error object is told by its code, not by
# an older one. The database factory is withdrawn for the last step: 7 of the host's 8 remain.
set(steps_conformance
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
# The Pascal host. Amount 85, gratuity 10, set by the host: two notifications, two cash-up rows.
# The exceptions of a Pascal callback and of a Pascal service come back with their class; so
# does the module's own; the attached jars are freed once each.
set(steps_pascal
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
# The sample: one payment, one report, nothing checked beyond the steps; 6 services of the
# host's and 9 of the module's, then the host's alone.
set(steps_sample
  "InitModule: 15 registrations in the container"
  "window \"Uber Details\""
  "paid: yes"
  "menu \"Lists\" gets \"Extra Payments Reports\""
  "access code AM020 granted"
  "window \"Extra Payments Report\""
  "viewer shows a page of "
  "unloaded, 6 registrations left")
# The Pascal sample: the same steps, and its change handler hears of the amount set, 85.
set(steps_pascal_sample ${steps_sample})
list(INSERT steps_pascal_sample 1 "  the till shows 85.00 due")
# The plain C++ face's host: a container that lends nothing: the module's 9 registrations, the
# payment methods in the order it registers them, the one reference it holds on the container
# given back at FinalModule.
set(steps_plain
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

function(orvo_check_steps program output)
  if(NOT ARGN)
    message(FATAL_ERROR "${program}: no steps to check")
  endif()
  set(rest "${output}")
  foreach(step ${ARGN})
    string(FIND "${rest}" "${step}" at)
    if(at LESS 0)
      message(FATAL_ERROR "${program}: missing, or out of order: ${step}")
    endif()
    string(LENGTH "${step}" length)
    math(EXPR at "${at} + ${length}")
    string(SUBSTRING "${rest}" ${at} -1 rest)
  endforeach()
endfunction()
