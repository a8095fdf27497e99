# orsela-cli writes the engineering reports of the sample design and of the
# extension example; the parser and the browser tests read them.
# -DCLI=... -DFOLDER=...
file(MAKE_DIRECTORY ${FOLDER})
set(extension --extension --known-loads --initial-tension=50
              --working-load1=100 --working-load2=200 --working-load3=300)
foreach(case "cli-compression" "cli-extension")
    if(case STREQUAL "cli-extension")
        set(args ${extension})
    else()
        set(args "")
    endif()
    execute_process(COMMAND ${CLI} ${args} --html-report=${FOLDER}/${case}.html
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 60)
    if(NOT status EQUAL 0 OR NOT EXISTS ${FOLDER}/${case}.html)
        message(FATAL_ERROR "${case}: exit ${status}: ${err}")
    endif()
endforeach()
