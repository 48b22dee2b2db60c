# The Debian package a store installs: cmake --build build --target package makes
# build/quelmaro_<version>_<architecture>.deb from the install rules of the whole tree.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE deb_architecture
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(QUELMARO_DEB_FILE ${PROJECT_NAME}_${PROJECT_VERSION}_${deb_architecture}.deb)

set(CPACK_GENERATOR DEB)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cierre diario y envío del resumen de ventas a la compañía central")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Herramienta de fin de día de un ERP de comercio. La ventana \"Resumen diario\"\n"
    "imprime el cierre diario de una tienda y envía las ventas, recibos, traslados\n"
    "y egresos del día de su base de datos Firebird a la de la compañía central.\n"
    "El comando cierre imprime el cierre sin ventana, y un temporizador de systemd\n"
    "(no activado al instalar) imprime y envía cada noche.")
set(CPACK_DEBIAN_FILE_NAME ${QUELMARO_DEB_FILE})
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${deb_architecture})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "quelmaro maintainers <maintainers@users.noreply.c-seed-de698046.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from dpkg-shlibdeps; what is only loaded at run time is named here: the fonts that stand in
# for Arial and the others on the page, Qt's Spanish texts for its dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
# The engine opens a company's file by its bare path; isql-fb and gfix run the schema scripts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "firebird3.0-server-core, firebird3.0-utils")
# Printing the closing report on paper.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS cups)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/maintainer/conffiles
    ${CMAKE_CURRENT_LIST_DIR}/maintainer/postinst
    ${CMAKE_CURRENT_LIST_DIR}/maintainer/prerm
    ${CMAKE_CURRENT_LIST_DIR}/maintainer/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
