# The Debian package built by `cpack` (scripts/package.sh): one .deb holding both programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR "The Quorvex developers")
set(CPACK_PACKAGE_CONTACT "The Quorvex developers <support@quorvex.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch converter for spreadsheet workbooks")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quorvex.example.org")
# The libraries the programs link (Qt, zlib, the C++ runtime) are found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window opens its manual and output folders through the desktop's opener.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The extended description; CPack puts the summary line in front and indents it for Debian.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quorvex converts spreadsheet workbooks (.xlsx, .xlsm, .xlsb, .xls) in batches:
every workbook becomes a folder with one file per worksheet, each cell written
as a spreadsheet application shows it.

Output formats: comma- and tab-delimited text, web pages and single-file web
pages, XML Spreadsheet 2003, and dBASE IV, III and II tables.

The package holds the quorvex command line and the quorvex-gui desktop window.")

include(CPack)
