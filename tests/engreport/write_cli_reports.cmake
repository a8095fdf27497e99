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
set(cli-torsion --torsion "--material=EN 10270-1 SM" --wire-diameter=2 --mean-diameter=16
                --active-coils=6 --leg-length1=25 --leg-length2=25 --working-angle1=30
                --working-angle3=90 --arbor-diameter=11 --check)
foreach(case cli-compression cli-extension cli-unchecked cli-torsion)
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
# A torsion spring's page: its own title, its characteristic, its checks cited.
file(READ ${FOLDER}/cli-torsion.html page)
foreach(wanted "圆柱螺旋扭转弹簧设计计算书" "扭矩-扭转角图" "芯轴间隙" "GB/T 1239.3"
               "<td>圆柱螺旋扭转弹簧</td>")
    string(FIND "${page}" "${wanted}" at)
    if(at EQUAL -1)
        message(SEND_ERROR "cli-torsion.html lacks ${wanted}")
    endif()
endforeach()
