# Makes the package as orvo_package does, into a scratch folder, and fails unless its name carries
# the file version of the module's version record and it holds exactly dist/, symbols/,
# interfaces/, the guide and the sample host's source, in one folder named like the zip.
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

set(expected)
foreach(file OrvoExtraPayments.ovm libstdc++-6.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
  list(APPEND expected ${NAME}/dist/${file} ${NAME}/symbols/${file}.debug)
endforeach()
list(APPEND expected ${NAME}/docs/integrating.md)
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
