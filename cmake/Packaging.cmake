# The Debian package: "cpack -G DEB" in a build configured with -DCMAKE_INSTALL_PREFIX=/usr packs
# what the install rules install, plus the Debian-only documents of the component "deb".
set(CPACK_PACKAGE_NAME quantorelle-brindel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quantorelle Brindel")
set(QB_PACKAGE_MAINTAINER "Quantorelle Brindel <sviluppo@quantorelle.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${QB_PACKAGE_MAINTAINER})
# In English, as Debian's package descriptions are (translated by Debian), like the metainfo.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "least-squares linear regression on measured pairs")
set(CPACK_PACKAGE_DESCRIPTION
    "Quantorelle Brindel fits the line Y = aX + b to up to 30 measured (X, Y)
pairs. It shows the means, the mean squares, the standard deviations and the
correlation coefficient, draws the points and the line, and predicts Y for a
typed X. Analyses are saved in .rgs data files and printed as a report. The
program speaks Italian only.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories made by the install steps follow the umask: make them 0755 whatever it is.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageDirectories.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/InstalledSize.cmake)

set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: Qt's Italian texts, loaded at start-up, and the font that
# fontconfig gives for Arial. The X11 platform, print and SVG plug-ins come with the Qt
# libraries the program links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation")
# Everything the default install has, and the Debian-only documents beside it.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};ALL;/" "${PROJECT_BINARY_DIR};${PROJECT_NAME};deb;/")

include(CPack)
