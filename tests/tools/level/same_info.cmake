# `tessaly-level info` of the Windows build on every sample prints what the
# Linux build prints, line ends aside:
#   cmake -DWINE_RUN=... -DWINE_PREFIX=... -DWINDOWS_TOOL=... -DLINUX_TOOL=...
#         -DSAMPLES=folder -P same_info.cmake
file(GLOB samples ${SAMPLES}/*)
if(NOT samples)
    message(FATAL_ERROR "no samples in ${SAMPLES}")
endif()
set(failures "")
foreach(sample ${samples})
    execute_process(COMMAND ${WINE_RUN} ${WINE_PREFIX} ${WINDOWS_TOOL} info ${sample}
                    OUTPUT_VARIABLE windows RESULT_VARIABLE windows_status)
    execute_process(COMMAND ${LINUX_TOOL} info ${sample}
                    OUTPUT_VARIABLE linux RESULT_VARIABLE linux_status)
    string(REPLACE "\r\n" "\n" windows "${windows}")
    if(NOT windows_status EQUAL 0 OR NOT linux_status EQUAL 0)
        string(APPEND failures "${sample}: exit ${windows_status} on Windows, ${linux_status} on Linux\n")
    elseif(NOT windows STREQUAL linux)
        string(APPEND failures "${sample}:\n--- Linux\n${linux}--- Windows\n${windows}")
    endif()
endforeach()
if(failures)
    message(FATAL_ERROR "${failures}")
endif()
