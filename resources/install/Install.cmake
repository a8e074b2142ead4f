# Installation: the bundle, the privileged tool made setuid root, the polkit
# action of the command right, and a launcher.
include(GNUInstallDirs)
set(TRAYSKIN_INSTALLED_BUNDLE "${CMAKE_INSTALL_FULL_LIBDIR}/trayskin/Trayskin.app")
install(DIRECTORY "${TRAYSKIN_BUNDLE_DIR}" DESTINATION "${CMAKE_INSTALL_LIBDIR}/trayskin"
    USE_SOURCE_PERMISSIONS)
install(CODE "set(TRAYSKIN_INSTALLED_TOOL \"${TRAYSKIN_INSTALLED_BUNDLE}/Contents/Resources/Trayskin\")")
install(SCRIPT "${CMAKE_CURRENT_LIST_DIR}/InstallTool.cmake")
# polkit reads its actions from this one folder, whatever the prefix.
set(TRAYSKIN_POLKIT_ACTIONS_DIR "/usr/share/polkit-1/actions" CACHE PATH
    "Where polkit looks for action files")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/org.trayskin.trayskin.policy"
    DESTINATION "${TRAYSKIN_POLKIT_ACTIONS_DIR}")
set(TRAYSKIN_INSTALLED_PROGRAM "${TRAYSKIN_INSTALLED_BUNDLE}/Contents/MacOS/trayskin")
set(TRAYSKIN_INSTALLED_ICON "${TRAYSKIN_INSTALLED_BUNDLE}/Contents/Resources/FSIconImage-Default.png")
configure_file("${CMAKE_CURRENT_LIST_DIR}/trayskin.desktop.in" trayskin.desktop @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/trayskin.desktop"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
