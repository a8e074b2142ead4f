# Installation: the bundle (programs stripped, the privileged tool made
# setuid root), a trayskin command on the search path, the application icon
# in the hicolor theme, the launcher, the AppStream metainfo, and the polkit
# action of the command right. Everything goes under the prefix except the
# polkit action, which goes where polkit reads actions.
include(GNUInstallDirs)

# Where things land is decided when installing (cmake --install --prefix),
# not when configuring: the scripts below get the folders as expressions of
# the install-time CMAKE_INSTALL_PREFIX (an absolute folder stays as given).
function(trayskin_installed_dir out dir)
    if(IS_ABSOLUTE "${dir}")
        set(${out} "${dir}" PARENT_SCOPE)
    else()
        set(${out} "\${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
    endif()
endfunction()
trayskin_installed_dir(installed_libdir "${CMAKE_INSTALL_LIBDIR}")
trayskin_installed_dir(installed_bindir "${CMAKE_INSTALL_BINDIR}")
trayskin_installed_dir(installed_datadir "${CMAKE_INSTALL_DATADIR}")

install(DIRECTORY "${TRAYSKIN_BUNDLE_DIR}" DESTINATION "${CMAKE_INSTALL_LIBDIR}/trayskin"
    USE_SOURCE_PERMISSIONS)
install(CODE "set(TRAYSKIN_INSTALLED_BUNDLE \"${installed_libdir}/trayskin/Trayskin.app\")
set(TRAYSKIN_INSTALLED_BINDIR \"${installed_bindir}\")
set(TRAYSKIN_INSTALLED_APPLICATIONS \"${installed_datadir}/applications\")
set(TRAYSKIN_LAUNCHER_TEMPLATE \"${CMAKE_CURRENT_LIST_DIR}/org.trayskin.Trayskin.desktop.in\")
set(TRAYSKIN_LAUNCHER_WORK \"${CMAKE_BINARY_DIR}/install-launcher\")
set(TRAYSKIN_STRIP \"${CMAKE_STRIP}\")")
# The tool made setuid root; the trayskin command in bin, a link to the
# bundle's program, which finds its bundle from its own path; the launcher,
# named after the application id, whose TryExec names that command.
install(SCRIPT "${CMAKE_CURRENT_LIST_DIR}/InstallTool.cmake")
install(SCRIPT "${CMAKE_CURRENT_LIST_DIR}/InstallCommand.cmake")

# The icon, in every size drawn and as SVG.
foreach(side ${TRAYSKIN_ICON_SIDES})
    install(FILES "${TRAYSKIN_BUNDLE_RESOURCES}/icons/trayskin-${side}.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps"
        RENAME trayskin.png)
endforeach()
install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/trayskin.svg"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

configure_file("${CMAKE_CURRENT_LIST_DIR}/org.trayskin.Trayskin.metainfo.xml.in"
    org.trayskin.Trayskin.metainfo.xml @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/org.trayskin.Trayskin.metainfo.xml"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/trayskin")

# polkit reads its actions from this one folder, whatever the prefix.
set(TRAYSKIN_POLKIT_ACTIONS_DIR "/usr/share/polkit-1/actions" CACHE PATH
    "Where polkit looks for action files")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/org.trayskin.trayskin.policy"
    DESTINATION "${TRAYSKIN_POLKIT_ACTIONS_DIR}")

# The manual page and the bash completion, written at build time from the
# command line's table.
install(FILES "${TRAYSKIN_MAN_PAGE}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${TRAYSKIN_BASH_COMPLETION}"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions" RENAME trayskin)
