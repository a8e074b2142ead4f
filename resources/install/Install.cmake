# Installation: the bundle (programs stripped, the privileged tool made
# setuid root), a trayskin command on the search path, the application icon
# in the hicolor theme, the launcher, the AppStream metainfo, and the polkit
# action of the command right. Everything goes under the prefix except the
# polkit action, which goes where polkit reads actions.
include(GNUInstallDirs)
set(TRAYSKIN_INSTALLED_BUNDLE "${CMAKE_INSTALL_FULL_LIBDIR}/trayskin/Trayskin.app")
install(DIRECTORY "${TRAYSKIN_BUNDLE_DIR}" DESTINATION "${CMAKE_INSTALL_LIBDIR}/trayskin"
    USE_SOURCE_PERMISSIONS)
install(CODE "set(TRAYSKIN_INSTALLED_TOOL \"${TRAYSKIN_INSTALLED_BUNDLE}/Contents/Resources/Trayskin\")
set(TRAYSKIN_INSTALLED_PROGRAM \"${TRAYSKIN_INSTALLED_BUNDLE}/Contents/MacOS/trayskin\")
set(TRAYSKIN_STRIP \"${CMAKE_STRIP}\")")
install(SCRIPT "${CMAKE_CURRENT_LIST_DIR}/InstallTool.cmake")

# The command: a link to the bundle's program, which finds its bundle from
# its own path.
set(TRAYSKIN_INSTALLED_COMMAND "${CMAKE_INSTALL_FULL_BINDIR}/trayskin")
file(RELATIVE_PATH program_from_bin "${CMAKE_INSTALL_FULL_BINDIR}"
    "${TRAYSKIN_INSTALLED_BUNDLE}/Contents/MacOS/trayskin")
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}${CMAKE_INSTALL_FULL_BINDIR}\")
file(CREATE_LINK \"${program_from_bin}\" \"\$ENV{DESTDIR}${TRAYSKIN_INSTALLED_COMMAND}\" SYMBOLIC)")

# The icon, in every size drawn and as SVG.
foreach(side ${TRAYSKIN_ICON_SIDES})
    install(FILES "${TRAYSKIN_BUNDLE_RESOURCES}/icons/trayskin-${side}.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps"
        RENAME trayskin.png)
endforeach()
install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/trayskin.svg"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

configure_file("${CMAKE_CURRENT_LIST_DIR}/trayskin.desktop.in" trayskin.desktop @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/trayskin.desktop"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
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
