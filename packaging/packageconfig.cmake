# The Debian package, built by CPack from the install rules:
#   cpack -G DEB            (in the build folder), or the "package" target.

set(CPACK_PACKAGE_NAME lmx4410)
set(CPACK_PACKAGE_VENDOR "Quelmo")
set(CPACK_PACKAGE_CONTACT "LMX-4410 companion maintainers <lmx4410@quelmo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion program of the LMX-4410 line tester")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Installed folders are rwxr-xr-x whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The Qt libraries the programs link come from dpkg-shlibdeps; the report
# is laid out in Liberation Sans, and without it the pages change.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n")
# CPack puts the summary on the first line and indents these lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "The LMX-4410 is a hand-held ADSL, VDSL and wireless-LAN line tester that
keeps the results of 20 tests. This program downloads them over a serial
port, shows each test's rate and frame information, carrier graph, ping
and trace route, and prints it as a two-page test report, or saves it as
an .lmx document to open again.

The package also holds lmxtool, which parses, converts, renders and
downloads test records from the command line, and lmx4410-sim, which plays
the tester on a pseudo-terminal for trying the program without one.")

# "package_source" packs the sources alone, without build trees or git.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/build/" "/\\.git/" "/\\.cache/")

include(CPack)
