# What "cmake --install" puts where, and the Debian package made from it (scripts/package).
include(GNUInstallDirs)

install(TARGETS dovuvavarovod dovuvavarovod-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Data the program looks up beside its own bin folder (../share/dovuvavarovod), so a moved prefix
# still finds it.
set(DVV_DATA_DIR ${CMAKE_INSTALL_DATADIR}/dovuvavarovod)
# The device profiles (DB/DevicesXMLProfiles), one per family the emulator offers.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/DB DESTINATION ${DVV_DATA_DIR})
if(EXISTS ${PROJECT_SOURCE_DIR}/data/Dovuvavarovod.chm)
    install(FILES ${PROJECT_SOURCE_DIR}/data/Dovuvavarovod.chm DESTINATION ${DVV_DATA_DIR})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/data/dovuvavarovod.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${CMAKE_BINARY_DIR}/share/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/data/dovuvavarovod.1 ${CMAKE_BINARY_DIR}/share/man/dovuvavarovod-cli.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/share/completion/dovuvavarovod-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dovuvavarovod)
set(CPACK_PACKAGE_VENDOR ZUVO)
set(CPACK_PACKAGE_CONTACT "ZUVO <support@zuvo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service tool for KVD I/O modules on RS-485 buses")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Finds KVD industrial I/O modules on an RS-485 bus (serial port or UDP gateway), reads and\n"
    "changes their settings, watches live values and emulates a bus of modules for testing.\n"
    "Includes the command-line tool dovuvavarovod-cli.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY dovuvavarovod)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the window system plug-ins, and the
# toolkit's translations (Yes/No, OK/Cancel) for the program's languages.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
