# Runs one replay scenario and checks its results:
#   case.replay      the script, run from a fresh copy of the case folder
#   expected.log     what tessaly-replay must print, line for line
#   expected.status  its exit status (0 when the file is absent)
#   expected/        files the run must leave, byte for byte; any other file
#                    the run creates (screenshots aside) fails the case
#   arguments        more command-line arguments after the script, one a line
#                    (a level to open, as given to the editor)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(GLOB inputs LIST_DIRECTORIES true ${CASE_DIR}/*)
foreach(input ${inputs})
    get_filename_component(name ${input} NAME)
    if(NOT name MATCHES "^(expected|expected\\.log|expected\\.status|arguments)$")
        file(COPY ${input} DESTINATION ${WORK_DIR})
    endif()
endforeach()
file(GLOB before RELATIVE ${WORK_DIR} ${WORK_DIR}/*)

set(arguments "")
if(EXISTS ${CASE_DIR}/arguments)
    file(STRINGS ${CASE_DIR}/arguments arguments)
endif()
execute_process(COMMAND ${REPLAY} ${WORK_DIR}/case.replay ${arguments}
                WORKING_DIRECTORY ${WORK_DIR}
                OUTPUT_VARIABLE log ERROR_VARIABLE errors RESULT_VARIABLE status)

set(failures "")
file(READ ${CASE_DIR}/expected.log expected_log)
if(NOT log STREQUAL expected_log)
    string(APPEND failures "log differs.\n--- expected\n${expected_log}--- got\n${log}${errors}\n")
endif()
set(expected_status 0)
if(EXISTS ${CASE_DIR}/expected.status)
    file(STRINGS ${CASE_DIR}/expected.status expected_status LIMIT_COUNT 1)
endif()
if(NOT status STREQUAL expected_status)
    string(APPEND failures "exit status ${status}, expected ${expected_status}\n")
endif()

file(GLOB expected_files RELATIVE ${CASE_DIR}/expected ${CASE_DIR}/expected/*)
foreach(name ${expected_files})
    if(NOT EXISTS ${WORK_DIR}/${name})
        string(APPEND failures "${name} was not written\n")
        continue()
    endif()
    file(SHA256 ${CASE_DIR}/expected/${name} want)
    file(SHA256 ${WORK_DIR}/${name} got)
    if(NOT want STREQUAL got)
        string(APPEND failures "${name} differs from expected/${name}\n")
    endif()
endforeach()
file(GLOB after RELATIVE ${WORK_DIR} ${WORK_DIR}/*)
foreach(name ${after})
    list(FIND before ${name} was_there)
    list(FIND expected_files ${name} expected)
    if(was_there EQUAL -1 AND expected EQUAL -1 AND NOT name MATCHES "\\.png$")
        string(APPEND failures "unexpected file ${name}\n")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
