# A Debian package of what cmake --install lays out: cpack -G DEB in the build tree.
set(CPACK_PACKAGE_NAME polvane)
set(CPACK_PACKAGE_VENDOR "Quesselcorp")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Design tool for line-array loudspeaker systems")
set(CPACK_PACKAGE_CONTACT "Quesselcorp <polvane@quesselcorp.invalid>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The library packages the program links come from dpkg-shlibdeps; the desktop's own
# triggers register the menu entry, icon and venue file type.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
