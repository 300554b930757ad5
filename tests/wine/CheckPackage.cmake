# Makes the package as orvo_package does, into a scratch folder, and fails unless its name carries
# the file version of the module's version record and it holds exactly dist/, symbols/,
# interfaces/, the guide and the sample hosts' source, in one folder named like the zip, and
# that the sample hosts build from it: the C one, and the Pascal one in Free Pascal's delphi and
# objfpc modes (pascal-<mode>/SampleHost.exe, run by orvo_wine_pascal_sample).
# Arguments (-D): those of MakePackage.cmake, WINDRES (reads the version record), CC and
# FPC_DIR (Free Pascal's i386-win32 compiler and units).
include(${SOURCE}/cmake/MakePackage.cmake)

execute_process(COMMAND ${WINDRES} --input-format=coff -i ${DIST}/OrvoExtraPayments.ovm -O rc
                OUTPUT_VARIABLE record)
if(NOT record MATCHES "FILEVERSION ([0-9]+), ([0-9]+), ([0-9]+), ([0-9]+)")
  message(FATAL_ERROR "no file version in the module's version record:\n${record}")
endif()
set(version "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}.${CMAKE_MATCH_4}")
if(NOT NAME STREQUAL "OrvoExtraPayments-${version}-win32")
  message(FATAL_ERROR "the package is named ${NAME}, the module's file version is ${version}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${OUTPUT}/${NAME}.zip OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OUTPUT}/${NAME}.zip cannot be read")
endif()
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" listing "${listing}")
list(FILTER listing EXCLUDE REGEX "/$")  # folder entries
list(SORT listing)

set(expected ${NAME}/dist/OrvoExtraPayments.ovm ${NAME}/symbols/OrvoExtraPayments.ovm.debug ${NAME}/docs/integrating.md)
foreach(folder interfaces examples)
  file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/${folder}/*)
  list(TRANSFORM files PREPEND ${NAME}/)
  list(APPEND expected ${files})
endforeach()
list(SORT expected)
if(NOT listing STREQUAL expected)
  message(FATAL_ERROR "the package holds\n  ${listing}\nexpected\n  ${expected}")
endif()
list(LENGTH listing count)
message(STATUS "${NAME}.zip: ${count} files")

# The package works as shipped: unpacked, its sample host builds as a project of its own, with
# the contract's CMake target, by a C compiler alone (CC, the toolchain's gcc).
set(unpacked ${OUTPUT}/unpacked)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${OUTPUT}/${NAME}.zip WORKING_DIRECTORY ${unpacked} RESULT_VARIABLE rc)
if(rc EQUAL 0)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${unpacked}/${NAME}/examples -B ${unpacked}/build -DCMAKE_SYSTEM_NAME=Windows
                          -DCMAKE_C_COMPILER=${CC} OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE rc)
endif()
if(rc EQUAL 0)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${unpacked}/build OUTPUT_VARIABLE out ERROR_VARIABLE out
                  RESULT_VARIABLE rc)
endif()
if(NOT rc EQUAL 0 OR NOT EXISTS ${unpacked}/build/SampleHost.exe)
  message(FATAL_ERROR "the unpacked package's sample host does not build:\n${out}")
endif()
message(STATUS "the unpacked package's sample host builds")

# The guide's Pascal example is the Pascal sample's code, line by line in order ("..." aside).
include(${CMAKE_CURRENT_LIST_DIR}/HostSteps.cmake)
file(READ ${SOURCE}/docs/integrating.md example)
string(FIND "${example}" "```pascal\n" at)
if(at LESS 0)
  message(FATAL_ERROR "docs/integrating.md has no Pascal example")
endif()
math(EXPR at "${at} + 10")
string(SUBSTRING "${example}" ${at} -1 example)
string(FIND "${example}" "\n```\n" end)
string(SUBSTRING "${example}" 0 ${end} example)
string(REGEX REPLACE "\n *\\.\\.\\." "" example "${example}")
string(REPLACE "\n" ";" example "${example}")
file(READ ${unpacked}/${NAME}/examples/SampleHost.dpr sample)
orvo_check_steps("the guide's Pascal example" "${sample}" ${example})
foreach(mode delphi objfpc)
  set(out_dir ${unpacked}/pascal-${mode})
  file(REMOVE_RECURSE ${out_dir})
  file(MAKE_DIRECTORY ${out_dir})
  execute_process(COMMAND ${FPC_DIR}/compiler/ppc386 -Twin32 -M${mode} -vew -Sew -Fu${FPC_DIR}/rtl/units/i386-win32
                          -Fu${FPC_DIR}/units -Fuinterfaces -FU${out_dir} -FE${out_dir} examples/SampleHost.dpr
                  WORKING_DIRECTORY ${unpacked}/${NAME} OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the unpacked package's Pascal sample does not build in ${mode} mode:\n${out}")
  endif()
endforeach()
message(STATUS "the unpacked package's Pascal sample builds in delphi and objfpc modes")
