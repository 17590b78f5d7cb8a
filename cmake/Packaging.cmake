# SPDX-License-Identifier: MIT
# `make package`: Debian packages of the installed tree, one for each install component:
#   game     numbrax              the game
#   runtime  libkavocontrols1     the shared libraries Kavo::Controls and Kavo::Pickers
#   sound    libkavosound1        Kavo::Sound, apart so that the controls pull in no multimedia
#   forms    libkavoforms1        Kavo::Forms, the form writer, apart so that the controls pull in
#                                 no Qt Designer library
#   dev      libkavocontrols-dev  headers, CMake package, pkg-config file and the .so links
#   designer kavocontrols-designer-plugin  the Qt Designer plugin (designer/)
#   doc      libkavocontrols-doc  the API reference, HTML and Qt Help (docs/api), when built
# Native packages (the maker packs its own software, version 1.0.0 with no Debian revision) from
# one source, so each carries the changelog as changelog.gz beside its copyright.
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_PACKAGE_NAME numbrax)
set(CPACK_PACKAGE_VENDOR Korvessa)
set(CPACK_PACKAGE_CONTACT "Korvessa <support@korvessa.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://korvessa.example/numbrax/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE numbrax)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# A component's DEPENDS become "package (= version)" in its package's Depends.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# Installed with DESTDIR and the final prefix, so that what is written at install time (the
# pkg-config file) names /usr, not the folder the package is put together in.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)

# Each package's description: its synopsis, then its long description with each line within 80
# columns, as Debian's tools show it.
set(CPACK_DEBIAN_GAME_PACKAGE_NAME numbrax)
# The source's own name needs no Source field.
set(CPACK_DEBIAN_GAME_PACKAGE_SOURCE "")
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_GAME_DESCRIPTION "number game against the computer
Numbrax is a number game for one player against the computer on
a square board of numbers: each side picks along its line through the last
picked cell, and the higher total wins. The game speaks Russian.")
set(CPACK_DEBIAN_GAME_PACKAGE_SHLIBDEPS ON)
# What the program loads without linking it: Qt's platform plugins (the X11 and Wayland
# windows), and xdg-open, through which the help menu opens its texts and links.
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "qt6-qpa-plugins, xdg-utils")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${KAVO_PACKAGE_runtime})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "flat-style Qt widget library
The Kavo controls are Qt 6 widgets in a flat style: a label drawn as raised
or sunken 3-D text that leads to its control, a spin edit, a flat check box,
a bitmap button with standard kinds and a drop-down menu, and drop-down
edits that open a calculator, a calendar or a date period dialog.
.
This package contains the shared libraries.")

set(CPACK_DEBIAN_SOUND_PACKAGE_NAME ${KAVO_PACKAGE_sound})
set(CPACK_DEBIAN_SOUND_PACKAGE_SECTION libs)
set(CPACK_COMPONENT_SOUND_DEPENDS runtime)
set(CPACK_DEBIAN_SOUND_DESCRIPTION "click sounds for the Kavo controls
The Kavo controls are Qt 6 widgets in a flat style. This library lets their
bitmap buttons play a click sound, from a wave file or from the program's
resources, through Qt Multimedia.
.
This package contains the shared library.")

set(CPACK_DEBIAN_FORMS_PACKAGE_NAME ${KAVO_PACKAGE_forms})
set(CPACK_DEBIAN_FORMS_PACKAGE_SECTION libs)
set(CPACK_COMPONENT_FORMS_DEPENDS runtime)
set(CPACK_DEBIAN_FORMS_DESCRIPTION "form writer for the Kavo controls
The Kavo controls are Qt 6 widgets in a flat style. This library saves forms
that hold them as Qt Designer .ui files, leaving out each property that
stands at its default, and reads such forms back.
.
This package contains the shared library.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME ${KAVO_PACKAGE_dev})
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
# The development links and CMake targets name every library, so all of them come along; Qt's
# Designer headers only Kavo::Forms needs, and find_package(KavoControls) without Forms works
# without them: suggested, not forced on every program of the controls.
set(CPACK_COMPONENT_DEV_DEPENDS runtime sound forms)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qt6-base-dev (>= 6.4)")
set(CPACK_DEBIAN_DEV_PACKAGE_SUGGESTS "qt6-tools-dev (>= 6.4)")
set(CPACK_DEBIAN_DEV_DESCRIPTION "flat-style Qt widget library (development files)
The Kavo controls are Qt 6 widgets in a flat style: a label drawn as raised
or sunken 3-D text that leads to its control, a spin edit, a flat check box,
a bitmap button with standard kinds and a drop-down menu, and drop-down
edits that open a calculator, a calendar or a date period dialog.
.
This package contains the headers, the CMake package (find_package with
KavoControls, and COMPONENTS Forms for the form writer, which also needs
qt6-tools-dev) and the pkg-config file (kavocontrols).")

# The Designer plugin, in KAVO_DESIGNER_PLUGIN_DIR.
set(CPACK_DEBIAN_DESIGNER_PACKAGE_NAME ${KAVO_PACKAGE_designer})
set(CPACK_DEBIAN_DESIGNER_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_DESIGNER_DEPENDS runtime)
set(CPACK_DEBIAN_DESIGNER_DESCRIPTION "Qt Designer plugin for the Kavo controls
The Kavo controls are Qt 6 widgets in a flat style. This plugin offers them
in Qt Designer's widget box, in its group Kavo Controls, and lets
QUiLoader build forms that hold them.")

# The API reference, the same on every architecture. Packed only when it has been built
# (cmake/KavoShlibs.cmake.in), as `make package` does first.
set(CPACK_DEBIAN_DOC_PACKAGE_NAME ${KAVO_PACKAGE_doc})
set(CPACK_DEBIAN_DOC_PACKAGE_SECTION doc)
set(CPACK_DEBIAN_DOC_PACKAGE_ARCHITECTURE all)
set(CPACK_KAVO_DOCS_QCH ${KAVO_DOCS_QCH})
set(CPACK_DEBIAN_DOC_DESCRIPTION "API reference of the Kavo controls
The Kavo controls are Qt 6 widgets in a flat style: a label drawn as raised
or sunken 3-D text that leads to its control, a spin edit, a flat check box,
a bitmap button with standard kinds and a drop-down menu, and drop-down
edits that open a calculator, a calendar or a date period dialog.
.
This package contains the API reference as HTML and as a Qt Help file
for Qt Creator and Qt Assistant.")

# The libraries' packages carry their own shlibs file and an ldconfig trigger, and leave out
# the maintainer scripts that CPack would write to call ldconfig (which Debian replaced by that
# trigger). Their Depends come from dpkg-shlibdeps, run when packing (cmake/KavoShlibs.cmake.in).
foreach(component RUNTIME SOUND FORMS)
  string(TOLOWER ${component} lower)
  set(control ${CMAKE_BINARY_DIR}/debian/${lower})
  file(MAKE_DIRECTORY ${control})
  file(WRITE ${control}/triggers "activate-noawait ldconfig\n")
  set(CPACK_DEBIAN_${component}_PACKAGE_CONTROL_EXTRA ${control}/triggers ${control}/shlibs)
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/debian/runtime/shlibs
  "libKavoControls ${KAVO_SOVERSION} ${KAVO_PACKAGE_runtime} (>= ${KAVO_VERSION})\n"
  "libKavoPickers ${KAVO_SOVERSION} ${KAVO_PACKAGE_runtime} (>= ${KAVO_VERSION})\n")
file(WRITE ${CMAKE_BINARY_DIR}/debian/sound/shlibs
  "libKavoSound ${KAVO_SOVERSION} ${KAVO_PACKAGE_sound} (>= ${KAVO_VERSION})\n")
file(WRITE ${CMAKE_BINARY_DIR}/debian/forms/shlibs
  "libKavoForms ${KAVO_SOVERSION} ${KAVO_PACKAGE_forms} (>= ${KAVO_VERSION})\n")
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/KavoShlibs.cmake
  INPUT ${CMAKE_CURRENT_LIST_DIR}/KavoShlibs.cmake.in)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/KavoShlibs.cmake)

include(CPack)
