# Makes the package as orvo_package does, into a scratch folder, and fails unless its name carries
# the file version of the module's version record and it holds exactly dist/, symbols/,
# interfaces/, the guide and the sample host's source, in one folder named like the zip, and
# that the sample host builds from it.
# Arguments (-D): those of MakePackage.cmake, and WINDRES (reads the version record).
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
