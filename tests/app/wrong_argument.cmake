# Runs PROGRAM (named NAME) with the argument --bogus: it must exit with
# status 2 and first name the wrong argument on standard error, before the
# usage.
execute_process(COMMAND ${PROGRAM} --bogus
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
string(REGEX REPLACE "\n.*" "" first "${err}")
if(NOT status EQUAL 2 OR NOT first STREQUAL "${NAME}: unknown option --bogus" OR
   NOT err MATCHES "usage:" OR NOT out STREQUAL "")
    message(FATAL_ERROR "${NAME} --bogus: status ${status}, stderr:\n${err}stdout:\n${out}")
endif()
