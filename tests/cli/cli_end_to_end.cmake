# Runs the built orsela-cli and checks its exit statuses and tsv output.
function(expect_run expected_status)
    execute_process(COMMAND ${CLI} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE err TIMEOUT 20)
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "orsela-cli ${ARGN}: status ${status}, expected ${expected_status}\n${err}")
    endif()
    set(last_out "${out}" PARENT_SCOPE)
    set(last_err "${err}" PARENT_SCOPE)
endfunction()

expect_run(0 --format=tsv)
set(expected "FreeHeight\t44.0
WorkingHeight1\t40.0
WorkingHeight2\t36.0
WorkingHeight3\t28.0
WorkingLoad1\t92.128
WorkingLoad2\t184.257
WorkingLoad3\t368.513
SpringIndex\t7.000
CurvatureFactor\t1.213
SpringRate\t23.032
Pitch\t8.000
DevelopedLength\t571.8
SlendernessRatio\t1.571
SolidHeight\t26.0
MaxShearStress\t497.944
HelixAngle\t5.197
TotalCoils\t6.5
")
if(NOT last_out STREQUAL expected)
    message(FATAL_ERROR "tsv of the sample design differs:\n${last_out}")
endif()

expect_run(1 --extension)
if(NOT last_err MATCHES "拉伸弹簧的工作高度小于自由高度!\n请输入合适的工作高度或工作载荷!")
    message(FATAL_ERROR "extension warning missing: ${last_err}")
endif()
expect_run(2 --wire-diameter=abc)
expect_run(3 --mean-diameter=4)
message(STATUS "orsela-cli end to end: ok")
