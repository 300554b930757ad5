# Runs a host built by another compiler as an integrator installs it: the program alone in
# program/ (it brings no runtime of its own beyond the system's), dist/ in modules/. Fails unless
# the program imports system DLLs only, ends well, and prints each step of the scenario in order,
# with the values worked out by hand (the programs check the details themselves and print
# "FAILED: ..." for each that does not hold).
# Arguments (-D): HOST (the program), DIST, WORK (a scratch folder), EMULATOR (wine), OBJDUMP;
# SCENARIO, the steps it prints (HostSteps.cmake): "conformance", "pascal", "sample",
# "pascal_sample" or "plain".
get_filename_component(program ${HOST} NAME)

# No C++ runtime, no compiler runtime DLL: what any Windows system has.
set(system_dlls kernel32|msvcrt|oleaut32)
if(SCENARIO MATCHES "^pascal")
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
include(${CMAKE_CURRENT_LIST_DIR}/HostSteps.cmake)
orvo_check_steps(${program} "${output}" ${steps_${SCENARIO}})
if(output MATCHES "FAILED:")
  message(FATAL_ERROR "${program} reports failed checks")
endif()
# The module carries its own C++ runtime, and its log header says so.
file(GLOB logs ${WORK}/modules/*OrvoExtraPayments.ovm.log)
file(READ "${logs}" log)
if(NOT log MATCHES "\nRuntime:  built in \\(the C\\+\\+ runtime of GCC [0-9.]+, linked statically\\)")
  message(FATAL_ERROR "the module's log does not say its runtime is built in:\n${log}")
endif()
