# Fails unless the stripped module of dist/, with its symbol file from symbols/ beside it, turns the
# address of each of its exported functions back into that function, as support does with an
# address from a till: addr2line follows the binary's .gnu_debuglink and accepts the symbol file
# only when its checksum matches.
# Arguments (-D): DIST, SYMBOLS, OBJDUMP, ADDR2LINE, WORK (a scratch folder).
set(cases
  # file | exported function | what addr2line must name (function, then source)
  "OrvoExtraPayments.ovm|InitModule|^InitModule@4\n[^\n]*entry/OrvoExtraPayments[.]cpp:[0-9]+"
  "OrvoExtraPayments.ovm|FinalModule|^FinalModule@0\n[^\n]*entry/OrvoExtraPayments[.]cpp:[0-9]+")

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
foreach(case ${cases})
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 file)
  list(GET case 1 function)
  list(GET case 2 expected)
  file(COPY ${DIST}/${file} ${SYMBOLS}/${file}.debug DESTINATION ${WORK})

  # The function's address: the image base plus its entry in the export address table, which the
  # name table gives by index.
  execute_process(COMMAND ${OBJDUMP} -p ${WORK}/${file} OUTPUT_VARIABLE headers)
  string(REGEX MATCH "ImageBase[ \t]+([0-9a-fA-F]+)" _ "${headers}")
  set(base ${CMAKE_MATCH_1})
  string(REGEX MATCH "\\[ *([0-9]+)\\] ${function}\n" _ "${headers}")
  set(index ${CMAKE_MATCH_1})
  if(NOT base OR index STREQUAL "")
    message(FATAL_ERROR "${file}: no image base or no export ${function}")
  endif()
  string(REGEX MATCH "\\[ *${index}\\] \\+base\\[ *[0-9]+\\] +([0-9a-fA-F]+) Export RVA" _ "${headers}")
  math(EXPR address "0x${base} + 0x${CMAKE_MATCH_1}" OUTPUT_FORMAT HEXADECIMAL)

  execute_process(COMMAND ${ADDR2LINE} -f -e ${WORK}/${file} ${address} OUTPUT_VARIABLE resolved)
  if(NOT resolved MATCHES "${expected}")
    message(FATAL_ERROR "${file}: ${address} (${function}) resolved to:\n${resolved}")
  endif()
  string(REPLACE "\n" " at " resolved "${resolved}")
  message(STATUS "${file}: ${function} = ${address} -> ${resolved}")
endforeach()
