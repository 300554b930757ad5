# Makes <OUTPUT>/<NAME>.zip, what a host author receives: one folder <NAME> holding dist/,
# symbols/, interfaces/, docs/integrating.md and the sample hosts' source in examples/.
# Run as a script: cmake -DSOURCE=<source tree> -DDIST=<dist> -DSYMBOLS=<symbols> -DNAME=<name>
#                        -DOUTPUT=<folder> -P MakePackage.cmake
foreach(argument SOURCE DIST SYMBOLS NAME OUTPUT)
  if(NOT DEFINED ${argument})
    message(FATAL_ERROR "MakePackage.cmake needs -D${argument}=...")
  endif()
endforeach()

set(stage ${OUTPUT}/${NAME})
file(REMOVE_RECURSE ${stage} ${OUTPUT}/${NAME}.zip)
file(COPY ${DIST}/ DESTINATION ${stage}/dist)
file(COPY ${SYMBOLS}/ DESTINATION ${stage}/symbols)
file(COPY ${SOURCE}/interfaces/ DESTINATION ${stage}/interfaces)
file(COPY ${SOURCE}/docs/integrating.md DESTINATION ${stage}/docs)
file(COPY ${SOURCE}/examples/ DESTINATION ${stage}/examples)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${NAME}.zip --format=zip ${NAME}
                WORKING_DIRECTORY ${OUTPUT} RESULT_VARIABLE rc)
file(REMOVE_RECURSE ${stage})
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not write ${OUTPUT}/${NAME}.zip")
endif()
message(STATUS "package: ${OUTPUT}/${NAME}.zip")
