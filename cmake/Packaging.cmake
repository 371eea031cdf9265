# Installation extras and the Debian package (CPack).
#
#   cmake --install BUILD --prefix P    P/bin/dravik, P/bin/dravik-batch, the
#                                       manual pages, the desktop entry, the
#                                       icon, the AppStream metadata and the
#                                       documents Debian wants
#   make package (cpack in BUILD)       BUILD/dravik_VERSION_ARCH.deb

# Placeholders until the project has a home of its own: the web address (the
# screenshots are its docs/screenshots/ files) and the AppStream id, which
# uses the reserved example.org domain.
set(DRAVIK_HOMEPAGE "https://dravik.example.org" CACHE STRING "The project's web address")
set(DRAVIK_APPSTREAM_ID org.example.dravik)
set(DRAVIK_CONTACT "Dravik maintainers <dravik@example.invalid>")
set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)

# The changelog's newest entry must be this version; its date is the
# release date the software centre shows (DRAVIK_RELEASE_DATE, YYYY-MM-DD).
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^dravik \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog: the newest entry is not version ${PROJECT_VERSION}: ${changelog_top}")
endif()
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog changelog_signature REGEX "^ -- " LIMIT_COUNT 1)
if(NOT changelog_signature MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "packaging/changelog: no date in the newest entry's signature: ${changelog_signature}")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
if(month LESS 10)
    set(month 0${month})
endif()
set(DRAVIK_RELEASE_DATE ${year}-${month}-${day})

# Manual pages and the changelog go in gzipped at maximum compression, with
# no file name or time stamp inside, so that the package is the same from one
# build to the next.
find_program(GZIP gzip REQUIRED)
set(gzipped_files "")
function(dravik_gzip source destination)
    cmake_path(GET source FILENAME name)
    set(copy ${packaging_dir}/${name})
    add_custom_command(
        OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        COMMAND ${GZIP} -9nf ${copy}
        DEPENDS ${source}
        COMMENT "Compressing ${name}")
    install(FILES ${copy}.gz DESTINATION ${destination})
    set(gzipped_files ${gzipped_files} ${copy}.gz PARENT_SCOPE)
endfunction()
dravik_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${CMAKE_INSTALL_DOCDIR})
if(TARGET dravik-batch)
    dravik_gzip(${PROJECT_SOURCE_DIR}/batch/dravik-batch.1 ${CMAKE_INSTALL_MANDIR}/man1)
endif()
if(DRAVIK_BUILD_GUI)
    dravik_gzip(${PROJECT_SOURCE_DIR}/packaging/dravik.1 ${CMAKE_INSTALL_MANDIR}/man1)
endif()
add_custom_target(dravik_packaging_documents ALL DEPENDS ${gzipped_files})

# The copyright file in Debian's machine-readable form: the program's own
# terms and those of the embedded font face, whose licence text
# (ARPHICPL.TXT, kept unaltered in packaging/) goes in as a DEP-5 text block.
set(arphic_licence ${PROJECT_SOURCE_DIR}/packaging/arphic-public-license.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${arphic_licence})
file(READ ${arphic_licence} ARPHIC_LICENSE)
string(REGEX REPLACE "\n$" "" ARPHIC_LICENSE "${ARPHIC_LICENSE}")
string(REPLACE "\n" "\n " ARPHIC_LICENSE " ${ARPHIC_LICENSE}")
# An empty line of the text is " ." in the block (twice: they may follow
# one another).
string(REPLACE "\n \n" "\n .\n" ARPHIC_LICENSE "${ARPHIC_LICENSE}")
string(REPLACE "\n \n" "\n .\n" ARPHIC_LICENSE "${ARPHIC_LICENSE}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${packaging_dir}/copyright @ONLY)
install(FILES ${packaging_dir}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(DRAVIK_BUILD_GUI)
    # The program embeds a cut-down copy of the AR PL UMing face; its licence
    # goes with it, unaltered, as the licence asks.
    install(FILES ${arphic_licence} DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME arphic-uming-font-licence)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/dravik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/dravik.metainfo.xml.in
                   ${packaging_dir}/${DRAVIK_APPSTREAM_ID}.metainfo.xml @ONLY)
    install(FILES ${packaging_dir}/${DRAVIK_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
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
set(DRAVIK_INSTALLED_FILES ${CMAKE_INSTALL_DOCDIR}/copyright ${CMAKE_INSTALL_DOCDIR}/changelog.gz)
if(TARGET dravik-batch)
    list(APPEND DRAVIK_INSTALLED_FILES
         ${CMAKE_INSTALL_BINDIR}/dravik-batch
         ${CMAKE_INSTALL_MANDIR}/man1/dravik-batch.1.gz
         ${CMAKE_INSTALL_LOCALEDIR}/zh_CN/LC_MESSAGES/dravik-batch.mo
         ${CMAKE_INSTALL_DOCDIR}/dravik-batch.md)
endif()
if(DRAVIK_BUILD_GUI)
    list(APPEND DRAVIK_INSTALLED_FILES
         ${CMAKE_INSTALL_BINDIR}/dravik
         ${CMAKE_INSTALL_MANDIR}/man1/dravik.1.gz
         ${CMAKE_INSTALL_DATADIR}/applications/dravik.desktop
         ${CMAKE_INSTALL_DATADIR}/metainfo/${DRAVIK_APPSTREAM_ID}.metainfo.xml)
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

    # The Debian package as `make package` builds it, then what a
    # distribution's tools say about it (lintian: errors fail, warnings are
    # shown). Not for a sanitizer build, whose programs nobody ships.
    if(DRAVIK_BUILD_GUI AND NOT DRAVIK_SANITIZE)
        set(package_tests ${PROJECT_SOURCE_DIR}/tests/packaging)
        add_test(NAME package_build COMMAND ${package_tests}/package_build_test.sh ${PROJECT_SOURCE_DIR}
                                            ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
        set_tests_properties(package_build PROPERTIES FIXTURES_SETUP dravik_deb TIMEOUT 300)
        add_test(NAME package_contents COMMAND ${package_tests}/package_contents_test.sh ${PROJECT_SOURCE_DIR}
                                               ${CMAKE_BINARY_DIR} ${PROJECT_VERSION} ${DRAVIK_HOMEPAGE})
        add_test(NAME package_lintian
                 COMMAND sh -c "lintian --fail-on error \"$1\"_$(dpkg --print-architecture).deb" lintian
                         ${CMAKE_BINARY_DIR}/dravik_${PROJECT_VERSION})
        set_tests_properties(package_contents package_lintian PROPERTIES FIXTURES_REQUIRED dravik_deb TIMEOUT 300)
    endif()

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
set(CPACK_PACKAGE_CONTACT "${DRAVIK_CONTACT}")
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

# The package and CPack's scratch folder go into the build tree, wherever
# cpack is run from.
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${DRAVIK_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the libraries the programs link (Qt, libstdc++, libc,
# and for dravik-batch's workbooks libzip4, libexpat1 and libxlsxwriter4);
# these are what they need beyond that: the Song/Ming face the windows are
# drawn in, Qt's Chinese translation of its own texts (the OK button, the
# fields' edit menu), and the face of the letters in the section diagrams that
# the calculation sheets draw.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
