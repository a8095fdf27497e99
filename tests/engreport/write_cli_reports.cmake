# orsela-cli writes the engineering reports of the sample design and of the
# extension example, checked with a cyclic duty (so with the fatigue
# diagram), and of the sample without checks; the parser and the browser
# tests read them.
# -DCLI=... -DFOLDER=...
file(MAKE_DIRECTORY ${FOLDER})
set(checked --check "--material=ASTM A228" --load-cycles=1e6)
set(extension --extension --known-loads --initial-tension=50
              --working-load1=100 --working-load2=200 --working-load3=300)
set(cli-compression ${checked} "--title-block=图号=TH-001")
set(cli-extension ${extension} ${checked})
set(cli-unchecked "")
foreach(case cli-compression cli-extension cli-unchecked)
    execute_process(COMMAND ${CLI} ${${case}} --html-report=${FOLDER}/${case}.html
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 60)
    if(NOT status EQUAL 0 OR NOT EXISTS ${FOLDER}/${case}.html)
        message(FATAL_ERROR "${case}: exit ${status}: ${err}")
    endif()
endforeach()
# The title block's field and what the checks took reach the page.
file(READ ${FOLDER}/cli-compression.html page)
foreach(wanted "<td>TH-001</td>" "校核输入: 载荷类型" "取自材料表 ASTM A228")
    string(FIND "${page}" "${wanted}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "cli-compression.html lacks ${wanted}")
    endif()
endforeach()
