# Run by cmake --install: makes the installed privileged tool root-owned and
# setuid. The build tree's tool stays unprivileged.
set(tool "$ENV{DESTDIR}${TRAYSKIN_INSTALLED_TOOL}")
if(NOT EXISTS "${tool}")
    message(FATAL_ERROR "The privileged tool is missing: ${tool}")
endif()
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
if(uid STREQUAL "0")
    execute_process(COMMAND chown root:root "${tool}" RESULT_VARIABLE owned)
    execute_process(COMMAND chmod 4755 "${tool}" RESULT_VARIABLE moded)
    if(NOT owned EQUAL 0 OR NOT moded EQUAL 0)
        message(FATAL_ERROR "Could not make ${tool} setuid root")
    endif()
    message(STATUS "Installed setuid root: ${tool}")
else()
    message(WARNING "Not installing as root: ${tool} stays unprivileged and can only "
                    "replace pictures its user may write")
endif()
