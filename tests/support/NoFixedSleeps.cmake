# Fails when a test source pauses for a fixed time instead of waiting for a
# condition.
file(GLOB_RECURSE sources "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
set(found "")
foreach(source ${sources})
    file(STRINGS "${source}" hits REGEX "(sleep_for|usleep|[^a-zA-Z_]sleep\\(|QTest::qWait\\(|QThread::[a-z]*sleep)")
    list(FILTER hits EXCLUDE REGEX "polling interval only")
    if(hits)
        list(APPEND found "${source}: ${hits}")
    endif()
endforeach()
if(found)
    message(FATAL_ERROR "Fixed sleeps in tests:\n${found}")
endif()
