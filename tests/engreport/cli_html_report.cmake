# --html-report writes only after a completed calculation, replaces a file
# only when the new one is complete, and says why it could not (exit 4).
# -DCLI=... -DFOLDER=...
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
file(WRITE ${FOLDER}/old.html "old")
file(WRITE ${FOLDER}/readonly.html "old")
file(CHMOD ${FOLDER}/readonly.html PERMISSIONS OWNER_READ)

# target | extra option | exit | stderr must hold ("-": nothing)
set(cases
    "old.html|--free-height=39|1|-"
    "readonly.html|-|4|文件是只读的"
    "missing/r.html|-|4|无法保存计算书“${FOLDER}/missing/r.html”: 文件夹“"
    "new.html|--mean-diameter=3e38|3|-")
foreach(case IN LISTS cases)
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 target)
    list(GET fields 1 option)
    list(GET fields 2 want)
    list(GET fields 3 says)
    if(option STREQUAL "-")
        set(option "")
    endif()
    if(says STREQUAL "-")
        set(says "")
    endif()
    execute_process(COMMAND ${CLI} ${option} --html-report=${FOLDER}/${target}
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 60)
    if(NOT status EQUAL want)
        message(SEND_ERROR "${target} ${option}: exit ${status}, want ${want}: ${err}")
    endif()
    if(says AND NOT err MATCHES "${says}")
        message(SEND_ERROR "${target}: stderr lacks \"${says}\": ${err}")
    endif()
endforeach()
foreach(kept old.html readonly.html)
    file(READ ${FOLDER}/${kept} content)
    if(NOT content STREQUAL "old")
        message(SEND_ERROR "${kept} was changed")
    endif()
endforeach()
foreach(absent new.html missing)
    if(EXISTS ${FOLDER}/${absent})
        message(SEND_ERROR "${absent} was written")
    endif()
endforeach()
