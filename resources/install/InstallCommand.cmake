# Run by cmake --install after the bundle is in place, with the folders of
# the install-time prefix (set by Install.cmake): the trayskin command in bin
# and the launcher, whose TryExec names that command.
set(TRAYSKIN_INSTALLED_COMMAND "${TRAYSKIN_INSTALLED_BINDIR}/trayskin")
file(RELATIVE_PATH program_from_bin "${TRAYSKIN_INSTALLED_BINDIR}"
    "${TRAYSKIN_INSTALLED_BUNDLE}/Contents/MacOS/trayskin")
set(link "$ENV{DESTDIR}${TRAYSKIN_INSTALLED_COMMAND}")
message(STATUS "Installing: ${link}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${TRAYSKIN_INSTALLED_BINDIR}")
file(CREATE_LINK "${program_from_bin}" "${link}" RESULT linked SYMBOLIC)
if(NOT linked EQUAL 0)
    message(FATAL_ERROR "Could not link ${link}: ${linked}")
endif()
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${TRAYSKIN_INSTALLED_COMMAND}")

# Made in the build tree for this prefix, then installed like any file.
configure_file("${TRAYSKIN_LAUNCHER_TEMPLATE}"
    "${TRAYSKIN_LAUNCHER_WORK}/org.trayskin.Trayskin.desktop" @ONLY)
file(INSTALL DESTINATION "${TRAYSKIN_INSTALLED_APPLICATIONS}" TYPE FILE
    FILES "${TRAYSKIN_LAUNCHER_WORK}/org.trayskin.Trayskin.desktop")
