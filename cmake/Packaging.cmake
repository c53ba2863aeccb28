# The Debian package of TAV: `cpack -G DEB` in a Release build (packaging/check-deb.sh
# builds, checks, installs and removes it).
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tav")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TAV developers")
set(CPACK_PACKAGE_CONTACT "TAV developers <developers@tav.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for the design of earthing installations")
set(CPACK_PACKAGE_DESCRIPTION
    "TAV turns Wenner soil-resistivity measurements into a soil resistivity, sizes\n"
    "vertical and horizontal earth rods set in bores backfilled with\n"
    "ground-enhancement material, computes the resistance of a buried mesh grid,\n"
    "and keeps site-survey records in a file. tav-calc gives the same calculations\n"
    "to scripts.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # tav_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The libraries come from the binaries; the layouts are drawn in Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
