# cpack -G DEB: a Debian package of the program and its desktop integration, its library
# dependencies worked out by dpkg-shlibdeps from the installed binary.
set(CPACK_PACKAGE_NAME "varneska")
set(CPACK_PACKAGE_VENDOR "Varneska")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Turn a text file of numbers into a grey-level picture")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Varneska developers <developers@varneska.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION "graphics")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Varneska reads a text file of numbers and paints one small grey box per value into a\n240 x 240 plot window, the grey scaled to the range of the values. A drive, folder and\nfile browser picks the file; a double-click plots it while a progress bar follows.")
# The platform plugins Qt needs to open a window on X11 or Wayland.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
include(CPack)
