# The Debian package: `cpack -G DEB` in the build folder writes repieps_<version>_<arch>.deb with
# what `cmake --install` installs, under /usr. The libraries it needs are found by dpkg-shlibdeps;
# Qt's MySQL driver is a plugin that no library links to, so it is named here.

set(REPIEPS_MANTENEDOR "Desarrollo de repieps <soporte@repieps.invalid>"
    CACHE STRING "Responsable del paquete de Debian (campo Maintainer)")

set(CPACK_PACKAGE_NAME repieps)
set(CPACK_PACKAGE_VENDOR "repieps")
set(CPACK_PACKAGE_CONTACT "${REPIEPS_MANTENEDOR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Reporte especial de IEPS del punto de venta")
set(CPACK_PACKAGE_DESCRIPTION
    "Prepara el reporte especial de IEPS de un negocio a partir de la base de datos MySQL de su "
    "punto de venta: los pagos de clientes o proveedores de un periodo, prorrateados por "
    "documento y clasificados por categoría de IEPS. Incluye la ventana (repieps) y la línea "
    "de comandos (repieps-cli).")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6sql6-mysql)

include(CPack)
