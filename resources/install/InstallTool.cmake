# Run by cmake --install after the bundle is in place, with the bundle's
# folder under the install-time prefix (set by Install.cmake): strips the
# installed programs, then makes the privileged tool root-owned and setuid.
# The build tree's tool stays unprivileged.
set(tool "$ENV{DESTDIR}${TRAYSKIN_INSTALLED_BUNDLE}/Contents/Resources/Trayskin")
set(program "$ENV{DESTDIR}${TRAYSKIN_INSTALLED_BUNDLE}/Contents/MacOS/trayskin")
set(command "$ENV{DESTDIR}${TRAYSKIN_INSTALLED_BUNDLE}/Contents/MacOS/trayskin-command")
set(window "$ENV{DESTDIR}${TRAYSKIN_INSTALLED_BUNDLE}/Contents/MacOS/trayskin-window")
foreach(file "${tool}" "${program}" "${command}" "${window}")
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "Missing from the bundle: ${file}")
    endif()
    if(TRAYSKIN_STRIP)
        execute_process(COMMAND "${TRAYSKIN_STRIP}" --strip-unneeded "${file}"
            RESULT_VARIABLE stripped)
        if(NOT stripped EQUAL 0)
            message(FATAL_ERROR "Could not strip ${file}")
        endif()
    endif()
endforeach()
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
