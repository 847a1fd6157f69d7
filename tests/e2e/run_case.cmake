# Runs one replay scenario and checks its results:
#   case.replay      the script, run from a fresh copy of the case folder (the
#                    folder is the working folder, so paths stay as written)
#   case2.replay ... further runs of the program in the same folder, one after
#                    the other, sharing the user's state folder (recovery copies)
#   expected.log     what tessaly-replay must print, line for line; the log of
#                    each further run follows a line "== case2.replay"
#   expected-windows.log  the log of the Windows programs, where it differs
#   expected.status  the exit status of every run (0 when the file is absent)
#   expected/        files the run must leave, byte for byte, also in folders
#                    of the case; any other file the run creates at the top of
#                    the case's folder (screenshots aside) fails the case
#   expected-cache/  files the run must leave in the user's cache folder
#   expected-config/ the same for the user's config folder (settings.ini)
#   arguments        more command-line arguments after each script, one a line
#                    (a level to open, as given to the editor), in UTF-8
#   before2.cmake... a CMake script run in the case's folder right before
#                    case2.replay (and so on): another program changing the
#                    files between two runs of the editor; the user's config
#                    folder is $ENV{TESSALY_CASE_CONFIG} there
#
# For the Windows programs (WINE_RUN and WINE_PREFIX given) the replay runs
# under Wine, line ends of the log aside the same checks apply, and each
# screenshot must match the one the Linux replay (LINUX_REPLAY) takes of the
# same case, except for the start screen's lines that show the executable's
# folder and the compiler. Wine keeps %LOCALAPPDATA% and %APPDATA% in its
# prefix: the program's folders there are emptied first, so these cases run
# one at a time.
#
# Every case has user folders of its own, beside its folder: state
# (recovery copies), cache (play folders) and config (the settings file), so
# that no case ever reads or writes a real user's.
set(runner "")
set(cache_root ${WORK_DIR}-cache/tessaly)
set(config_root ${WORK_DIR}-config/tessaly)
if(WINE_PREFIX)
    set(runner ${WINE_RUN} ${WINE_PREFIX})
    file(GLOB wine_users ${WINE_PREFIX}/drive_c/users/*)
    foreach(user ${wine_users})
        file(REMOVE_RECURSE ${user}/AppData/Local/Tessaly ${user}/AppData/Roaming/Tessaly)
        if(NOT user MATCHES "/Public$")
            set(cache_root ${user}/AppData/Local/Tessaly)
            set(config_root ${user}/AppData/Roaming/Tessaly)
        endif()
    endforeach()
endif()

# Copies the case's inputs into a fresh folder.
function(prepare_folder folder)
    file(REMOVE_RECURSE ${folder} ${folder}-state ${folder}-cache ${folder}-config)
    file(MAKE_DIRECTORY ${folder} ${folder}-state ${folder}-cache ${folder}-config)
    file(GLOB inputs LIST_DIRECTORIES true ${CASE_DIR}/*)
    foreach(input ${inputs})
        get_filename_component(name ${input} NAME)
        if(NOT name MATCHES "^(expected.*|arguments)$")
            file(COPY ${input} DESTINATION ${folder})
        endif()
    endforeach()
endfunction()

# The user's folders of a case run in `folder`.
macro(point_user_folders folder)
    set(ENV{XDG_STATE_HOME} ${folder}-state)
    set(ENV{XDG_CACHE_HOME} ${folder}-cache)
    set(ENV{XDG_CONFIG_HOME} ${folder}-config)
endmacro()

prepare_folder(${WORK_DIR})
point_user_folders(${WORK_DIR})
# Where a case's before-steps find the settings file.
set(ENV{TESSALY_CASE_CONFIG} ${config_root})
file(GLOB before RELATIVE ${WORK_DIR} ${WORK_DIR}/*)

# Runs the case's step before run `run` in `folder`, when it has one.
function(step_before folder run)
    if(run AND EXISTS ${folder}/before${run}.cmake)
        execute_process(COMMAND ${CMAKE_COMMAND} -P before${run}.cmake
                        WORKING_DIRECTORY ${folder} RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "before${run}.cmake failed")
        endif()
    endif()
endfunction()

set(arguments "")
if(EXISTS ${CASE_DIR}/arguments)
    file(STRINGS ${CASE_DIR}/arguments arguments ENCODING UTF-8)
endif()
set(expected_status 0)
if(EXISTS ${CASE_DIR}/expected.status)
    file(STRINGS ${CASE_DIR}/expected.status expected_status LIMIT_COUNT 1)
endif()
set(log "")
set(errors "")
set(statuses "")
foreach(run "" 2 3 4)
    if(NOT EXISTS ${WORK_DIR}/case${run}.replay)
        continue()
    endif()
    if(run)
        string(APPEND log "== case${run}.replay\n")
    endif()
    step_before(${WORK_DIR} "${run}")
    execute_process(COMMAND ${runner} ${REPLAY} case${run}.replay ${arguments}
                    WORKING_DIRECTORY ${WORK_DIR}
                    OUTPUT_VARIABLE run_log ERROR_VARIABLE run_errors RESULT_VARIABLE status)
    string(REPLACE "\r\n" "\n" run_log "${run_log}")
    string(APPEND log "${run_log}")
    string(APPEND errors "${run_errors}")
    if(NOT status STREQUAL expected_status)
        string(APPEND statuses "case${run}.replay: exit status ${status}, expected ${expected_status}\n")
    endif()
endforeach()

set(failures "")
set(expected_log_file ${CASE_DIR}/expected.log)
if(WINE_PREFIX AND EXISTS ${CASE_DIR}/expected-windows.log)
    set(expected_log_file ${CASE_DIR}/expected-windows.log)
endif()
file(READ ${expected_log_file} expected_log)
if(NOT log STREQUAL expected_log)
    string(APPEND failures "log differs.\n--- expected\n${expected_log}--- got\n${log}${errors}\n")
endif()
string(APPEND failures "${statuses}")

# The files of `expected` (a folder of the case) in `folder`, byte for byte.
function(compare_files expected folder)
    file(GLOB_RECURSE names RELATIVE ${CASE_DIR}/${expected} ${CASE_DIR}/${expected}/*)
    foreach(name ${names})
        if(NOT EXISTS ${folder}/${name})
            string(APPEND failures "${name} was not written\n")
            continue()
        endif()
        file(SHA256 ${CASE_DIR}/${expected}/${name} want)
        file(SHA256 ${folder}/${name} got)
        if(NOT want STREQUAL got)
            string(APPEND failures "${name} differs from ${expected}/${name}\n")
        endif()
    endforeach()
    set(failures "${failures}" PARENT_SCOPE)
endfunction()
compare_files(expected ${WORK_DIR})
compare_files(expected-cache ${cache_root})
compare_files(expected-config ${config_root})
file(GLOB expected_files RELATIVE ${CASE_DIR}/expected ${CASE_DIR}/expected/*)
file(GLOB after RELATIVE ${WORK_DIR} ${WORK_DIR}/*)
foreach(name ${after})
    list(FIND before ${name} was_there)
    list(FIND expected_files ${name} expected)
    if(was_there EQUAL -1 AND expected EQUAL -1 AND NOT name MATCHES "\\.png$")
        string(APPEND failures "unexpected file ${name}\n")
    endif()
endforeach()

# Screenshots of the Windows programs against the Linux ones: both builds
# write them with the same encoder, so a screenshot is the same file. On the
# start screen the rows of the folder and compiler lines (lines 9 and 10 of its
# text, from y = 84 to 102) may differ; they are blacked out in both and the
# rest compared pixel for pixel.
if(WINE_PREFIX)
    set(linux_dir ${WORK_DIR}-linux)
    prepare_folder(${linux_dir})
    point_user_folders(${linux_dir})
    set(ENV{TESSALY_CASE_CONFIG} ${linux_dir}-config/tessaly)
    foreach(run "" 2 3 4)
        if(EXISTS ${linux_dir}/case${run}.replay)
            step_before(${linux_dir} "${run}")
            execute_process(COMMAND ${LINUX_REPLAY} case${run}.replay ${arguments}
                            WORKING_DIRECTORY ${linux_dir} OUTPUT_QUIET ERROR_QUIET)
        endif()
    endforeach()
    file(GLOB shots RELATIVE ${linux_dir} ${linux_dir}/*.png)
    foreach(shot ${shots})
        if(NOT EXISTS ${WORK_DIR}/${shot})
            string(APPEND failures "screenshot ${shot} was not taken\n")
            continue()
        endif()
        file(SHA256 ${linux_dir}/${shot} want)
        file(SHA256 ${WORK_DIR}/${shot} got)
        if(want STREQUAL got)
            continue()
        endif()
        execute_process(COMMAND convert ${linux_dir}/${shot} -format "%[hex:p{100,300}]" info:
                        OUTPUT_VARIABLE face)
        set(band -fill black -draw "rectangle 0,84 799,102")
        execute_process(COMMAND convert ${linux_dir}/${shot} ${band} ${linux_dir}/${shot}.linux.ppm)
        execute_process(COMMAND convert ${WORK_DIR}/${shot} ${band} ${linux_dir}/${shot}.windows.ppm)
        file(SHA256 ${linux_dir}/${shot}.linux.ppm want)
        file(SHA256 ${linux_dir}/${shot}.windows.ppm got)
        if(NOT face MATCHES "^28508D" OR NOT want STREQUAL got)
            string(APPEND failures "screenshot ${shot} differs from the Linux one\n")
        endif()
    endforeach()
endif()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
