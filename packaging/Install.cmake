# What `cmake --install` and the Debian package put where.

# The manual page is printed by the program from its table of options.
set(ARBOLITUS_MAN_PAGE ${CMAKE_BINARY_DIR}/arbolitus.1)
add_custom_command(OUTPUT ${ARBOLITUS_MAN_PAGE}
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:arbolitus> -DOUTPUT=${ARBOLITUS_MAN_PAGE}
          -P ${CMAKE_CURRENT_LIST_DIR}/MakeManPage.cmake
  DEPENDS arbolitus ${CMAKE_CURRENT_LIST_DIR}/MakeManPage.cmake
  VERBATIM)
add_custom_target(arbolitus_man ALL DEPENDS ${ARBOLITUS_MAN_PAGE})

install(TARGETS arbolitus RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY dat/ DESTINATION ${CMAKE_INSTALL_DATADIR}/arbolitus)
install(FILES ${ARBOLITUS_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/${ARBOLITUS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${ARBOLITUS_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/${ARBOLITUS_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${ARBOLITUS_APP_ID}.xml)
install(FILES packaging/icons/${ARBOLITUS_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
  install(FILES packaging/icons/${size}/${ARBOLITUS_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# With the tests and benchmarks on, a package need not wait for them to build.
if(ARBOLITUS_TESTS OR ARBOLITUS_BENCH)
  set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME arbolitus)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Arbolitus developers")
set(CPACK_PACKAGE_CONTACT "Arbolitus developers <dev@arbolitus.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "family-tree editor with a Russian interface")
set(CPACK_PACKAGE_DESCRIPTION "Arbolitus keeps a family tree of persons, their links, events,
comments and media files. It imports and exports GEDCOM, shows the persons in
a sorted list and on a card, draws ancestors and descendants as a diagram and
exports it as PNG, SVG, PDF or on paper. Its interface is in Russian.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the program loads at run time, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-translations-l10n, fonts-dejavu-core, xdg-utils, qt6-image-formats-plugins, libqt6svg6, qt6-qpa-plugins")
include(CPack)
