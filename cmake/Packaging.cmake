# SPDX-License-Identifier: MIT
# `make package`: a Debian package of the installed tree, its dependencies computed from the
# program's shared libraries. A native package (the maker packs its own program, version
# 1.0.0 with no Debian revision), so its changelog is changelog.gz.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME numbrax)
set(CPACK_PACKAGE_VENDOR Korvessa)
set(CPACK_PACKAGE_CONTACT "Korvessa <support@korvessa.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "number game against the computer")
# Each line of the long description within 80 columns, as Debian's tools show it.
set(CPACK_PACKAGE_DESCRIPTION "Numbrax is a number game for one player against the computer on
a square board of numbers: each side picks along its line through the last
picked cell, and the higher total wins. The game speaks Russian.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://korvessa.example/numbrax/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the program loads without linking it: Qt's platform plugins (the X11 and Wayland
# windows), and xdg-open, through which the help menu opens its texts and links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, xdg-utils")
include(CPack)
