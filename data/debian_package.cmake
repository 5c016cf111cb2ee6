# The Debian package, made by `cpack -G DEB` in the build folder: everything the install step puts
# below /usr, the programs stripped, the dependencies computed from the programs' shared libraries.
# The desktop, MIME and icon caches are refreshed by the triggers of the packages that own them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ravelo)
set(CPACK_PACKAGE_VENDOR Orvenda)
set(CPACK_PACKAGE_CONTACT "Ravelo maintainers <ravelo@orvenda.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for relationship diagrams")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Ravelo draws diagrams of people, groups and things: nodes nested in parent\n"
    "nodes, joined by link arcs and annotated with titles, memos, pictures and\n"
    "person icons, shown as four charts (Box, Star, Action and Flow). Its\n"
    "interface is Japanese. Documents are .rvl files.\n"
    "\n"
    "The package holds the editor and ravelo-cli, a command-line tool that\n"
    "prints, converts and renders documents without a window.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Japanese faces for the drawings; xdg-open for opening folders, workbooks and the manual.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipaexfont-gothic | fonts-noto-cjk, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
