# orsela-cli --drawing writes the sample design's and the extension example's
# drawings as DXF and SVG, each with its results as JSON for the checker;
# then the failures: a file it cannot write (exit 4, an existing file kept
# whole), a name that is neither .dxf nor .svg, a stopped design (no file).
# -DCLI=... -DFOLDER=...
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
set(extension_options --extension --known-loads --initial-tension=50
                      --working-load1=100 --working-load2=200 --working-load3=300)
set(titles "--title-block=图号=TH-001" "--title-block=零件名称=阀门弹簧" "--title-block=设计=张三"
           "--title-block=表面处理=发黑" --precision-grade=3)
foreach(case sample extension)
    if("${case}" STREQUAL "extension")
        set(options ${extension_options})
    else()
        set(options "")
    endif()
    execute_process(COMMAND ${CLI} ${options} --format=json OUTPUT_FILE ${FOLDER}/${case}.json
                    RESULT_VARIABLE status TIMEOUT 60)
    foreach(suffix dxf svg)
        execute_process(COMMAND ${CLI} ${options} ${titles} --check
                                --drawing=${FOLDER}/${case}.${suffix}
                        RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 60)
        if(NOT status EQUAL 0 OR NOT EXISTS ${FOLDER}/${case}.${suffix})
            message(FATAL_ERROR "${case}.${suffix}: exit ${status}: ${err}")
        endif()
    endforeach()
endforeach()

# The same sample for AutoCAD 2000: code page 936.
execute_process(COMMAND ${CLI} ${titles} --dxf-version=2000 --drawing=${FOLDER}/sample-2000.dxf
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 60)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "sample-2000.dxf: exit ${status}: ${err}")
endif()

# A table of torsion springs: legs in line and turned, left-hand, spaced
# coils, torques given, unwinding, both DXF versions; each with its results.
set(torsion-a --torsion "--material=EN 10270-1 SM" --wire-diameter=2 --mean-diameter=16
              --active-coils=6 --leg-length1=25 --leg-length2=25 --working-angle1=30
              --working-angle3=90 --arbor-diameter=11 --check)
set(torsion-b --torsion --material=65Mn --wire-diameter=4 --mean-diameter=30 --active-coils=10.5
              --leg-length1=80 --leg-length2=120 --known-torques --working-torque1=2000
              --working-torque3=6000 --load-direction=unwind --coil-spacing=0.5 --check
              --load-cycles=1e5 --title-block=旋向=左)
set(torsion-c --torsion "--material=EN 10270-1 SM" --wire-diameter=1 --mean-diameter=8
              --active-coils=3.25 --leg-length1=10 --leg-length2=15 --working-angle1=20
              --working-angle2=40 --working-angle3=60 --dxf-version=2000)
foreach(case torsion-a torsion-b torsion-c)
    execute_process(COMMAND ${CLI} ${${case}} --format=json OUTPUT_FILE ${FOLDER}/${case}.json
                    RESULT_VARIABLE status TIMEOUT 60)
    foreach(suffix dxf svg)
        execute_process(COMMAND ${CLI} ${${case}} ${titles} --drawing=${FOLDER}/${case}.${suffix}
                        RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 60)
        if(NOT status EQUAL 0 OR NOT EXISTS ${FOLDER}/${case}.${suffix})
            message(FATAL_ERROR "${case}.${suffix}: exit ${status}: ${err}")
        endif()
    endforeach()
endforeach()

# Too long for its cell even wrapped at the smallest lettering.
string(REPEAT "弹" 60 long_company)
file(WRITE ${FOLDER}/old.dxf "old")
file(WRITE ${FOLDER}/readonly.dxf "old")
file(CHMOD ${FOLDER}/readonly.dxf PERMISSIONS OWNER_READ)
# target | extra option | exit | stderr must hold ("-": nothing)
set(cases
    "readonly.dxf|-|4|文件是只读的"
    "missing/d.dxf|-|4|无法保存图样“${FOLDER}/missing/d.dxf”"
    "drawing.pdf|-|2|.dxf 或 .svg"
    "old.dxf|--free-height=39|1|-"
    "new.dxf|--title-block=页码=3|2|--title-block"
    "new.dxf|--precision-grade=4|2|--precision-grade"
    "new.dxf|--dxf-version=14|2|--dxf-version"
    "new.dxf|--title-block=单位=${long_company}|2|标题栏 单位名称: 文字过长, 此格最多容纳")
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 target)
    list(GET fields 1 option)
    list(GET fields 2 want)
    list(GET fields 3 says)
    if(option STREQUAL "-")
        set(option "")
    endif()
    execute_process(COMMAND ${CLI} ${option} --drawing=${FOLDER}/${target}
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 60)
    if(NOT status EQUAL want)
        message(SEND_ERROR "${target} ${option}: exit ${status}, want ${want}: ${err}")
    endif()
    if(NOT says STREQUAL "-" AND NOT err MATCHES "${says}")
        message(SEND_ERROR "${target}: stderr lacks \"${says}\": ${err}")
    endif()
endforeach()
foreach(kept old.dxf readonly.dxf)
    file(READ ${FOLDER}/${kept} content)
    if(NOT content STREQUAL "old")
        message(SEND_ERROR "${kept} was changed")
    endif()
endforeach()
foreach(absent new.dxf drawing.pdf missing)
    if(EXISTS ${FOLDER}/${absent})
        message(SEND_ERROR "${absent} was written")
    endif()
endforeach()
