# Installation extras and the Debian package (CPack).
#
#   cmake --install BUILD --prefix P    P/bin/dravik, P/bin/dravik-batch, the
#                                       desktop entry and the icon
#   cpack --config BUILD/CPackConfig.cmake -B BUILD/pkg
#                                       dravik_VERSION_ARCH.deb

if(DRAVIK_BUILD_GUI)
    # The program embeds a cut-down copy of the AR PL UMing face; its licence
    # goes with it.
    if(EXISTS /usr/share/doc/fonts-arphic-uming/copyright)
        install(FILES /usr/share/doc/fonts-arphic-uming/copyright
                DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME arphic-uming-font-licence)
    endif()
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/dravik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    # The application icon in the hicolor theme, each size drawn at that size
    # (assets/icons/dravik-<size>.png); the desktop entry names it "dravik".
    file(GLOB DRAVIK_ICON_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/icons/dravik-*.png)
    foreach(icon IN LISTS DRAVIK_ICON_FILES)
        string(REGEX REPLACE "^.*/dravik-([0-9]+)\\.png$" "\\1" size "${icon}")
        set(dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
        install(FILES ${icon} DESTINATION ${dir} RENAME dravik.png)
    endforeach()
endif()

# What an installation must contain, relative to the prefix.
set(DRAVIK_INSTALLED_FILES "")
if(TARGET dravik-batch)
    list(APPEND DRAVIK_INSTALLED_FILES
         ${CMAKE_INSTALL_BINDIR}/dravik-batch
         ${CMAKE_INSTALL_MANDIR}/man1/dravik-batch.1
         ${CMAKE_INSTALL_LOCALEDIR}/zh_CN/LC_MESSAGES/dravik-batch.mo
         ${CMAKE_INSTALL_DOCDIR}/dravik-batch.md)
endif()
if(DRAVIK_BUILD_GUI)
    list(APPEND DRAVIK_INSTALLED_FILES
         ${CMAKE_INSTALL_BINDIR}/dravik
         ${CMAKE_INSTALL_DATADIR}/applications/dravik.desktop)
    foreach(size 16 24 32 48 64 128 256)
        list(APPEND DRAVIK_INSTALLED_FILES ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps/dravik.png)
    endforeach()
endif()

if(DRAVIK_BUILD_TESTS)
    # Installs the build tree into a scratch prefix and checks the result:
    # every file above is there, and the desktop entry starts a program and
    # names an icon that the installation really contains.
    add_test(NAME install_layout
             COMMAND ${CMAKE_COMMAND}
                     -D BUILD_DIR=${CMAKE_BINARY_DIR}
                     -D PREFIX=${CMAKE_BINARY_DIR}/install-check
                     -D CONFIG=$<CONFIG>
                     -D "EXPECTED=${DRAVIK_INSTALLED_FILES}"
                     -D BINDIR=${CMAKE_INSTALL_BINDIR}
                     -D DATADIR=${CMAKE_INSTALL_DATADIR}
                     -P ${PROJECT_SOURCE_DIR}/packaging/check-install.cmake)

    find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
    if(DRAVIK_BUILD_GUI AND DESKTOP_FILE_VALIDATE)
        add_test(NAME desktop_entry_valid COMMAND ${DESKTOP_FILE_VALIDATE}
                                                  ${PROJECT_SOURCE_DIR}/packaging/dravik.desktop)
    endif()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dravik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Dravik maintainers")
set(CPACK_PACKAGE_CONTACT "Dravik maintainers <dravik@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The package's long description: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Dravik calculates the reinforcement of shear-wall boundary columns\n\
(concealed, L-shaped, flanged and Z-shaped sections). The package holds the\n\
desktop program dravik and dravik-batch, which calculates a whole CSV file\n\
of columns without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the libraries the programs link (Qt, libstdc++, libc);
# these are what they need beyond that: the Song/Ming face the windows are
# drawn in, Qt's Chinese translation of its own texts (the OK button, the
# fields' edit menu), and the face of the letters in the section diagrams that
# the calculation sheets draw.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
