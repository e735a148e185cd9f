# One Debian package, quillora, made by `cpack -G DEB` (tools/package.sh). Its run-time
# dependencies are computed from the binaries by dpkg-shlibdeps; the fonts are added by
# hand, since no binary links them.
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND gzip -9 -n -k -f ${PROJECT_BINARY_DIR}/packaging/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(quillora_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quillora developers <quillora@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_THREADS 0)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's texts are Chinese; the virtual printer draws its receipts in
# Noto Sans Mono CJK SC, whose Latin glyphs are exactly half as wide as its Chinese ones.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"test utility for ESC/POS receipt printers
Quillora lets a technician check a receipt printer's functions one by one:
text, cuts, paper feed, cash drawer, barcodes, enlarged characters,
alignment, black mark, raster graphics, a stored logo, function switches
and the paper and cover sensors, over a serial port, a parallel or USB
printer device, or raw TCP. It prints through CUPS as well, and runs a
continuous fatigue test.
.
The package also holds quillora-cli, which runs the same tests from a
terminal or a script with decoded results, and quillora-virtual-printer,
a receipt printer in software that draws every receipt it gets as a
picture.")
include(CPack)
