# The Debian package: `cpack -G DEB` in the build folder writes repieps_<version>_<arch>.deb with
# what `cmake --install` installs, under /usr. The libraries it needs are found by dpkg-shlibdeps;
# Qt's MySQL driver is a plugin that no library links to, and Qt's Spanish texts (qtbase_es.qm) a
# file that both programs load, so they are named here.

set(REPIEPS_MANTENEDOR "Desarrollo de repieps <soporte@repieps.invalid>"
    CACHE STRING "Responsable del paquete de Debian (campo Maintainer)")

set(CPACK_PACKAGE_NAME repieps)
set(CPACK_PACKAGE_VENDOR "repieps")
set(CPACK_PACKAGE_CONTACT "${REPIEPS_MANTENEDOR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Reporte especial de IEPS del punto de venta")
# Lines of the long description wrapped under 80 columns, as Debian asks.
set(CPACK_PACKAGE_DESCRIPTION
    "Prepara el reporte especial de IEPS de un negocio a partir de la base de\n"
    "datos MySQL de su punto de venta: los pagos de clientes o proveedores de\n"
    "un periodo, prorrateados por documento y clasificados por categoría de\n"
    "IEPS. Incluye la ventana (repieps) y la línea de comandos (repieps-cli).")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-mysql, qt6-translations-l10n")

# What Debian asks of every package: the copyright of what it ships and its changelog, compressed
# without a name or time stamp so that the same sources give the same package.
if(UNIX AND NOT APPLE)
  include(GNUInstallDirs)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/paquete/changelog.in ${CMAKE_BINARY_DIR}/doc/changelog @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog.gz
      COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/doc/changelog
      DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog
      COMMENT "Changelog del paquete" VERBATIM)
  add_custom_target(repieps-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog.gz)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/paquete/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

include(CPack)
