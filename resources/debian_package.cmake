# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build folder makes trimvox_<version>-1_<arch>.deb of what
# `cmake --install` lays out, under /usr. The libraries the programs link come from dpkg-shlibdeps; what they
# load at run time (the player's GStreamer plugins, the fonts of the Chinese user interface) is named here.
# The version is the project's with a Debian revision; the package's changelog (resources/debian/changelog.in)
# names the same version and the maintainer, who is also the Maintainer field: give your own with
# -DTRIMVOX_MAINTAINER="Name <address>" (or DEBFULLNAME and DEBEMAIL in the environment, as for dch).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trimvox)
set(CPACK_PACKAGE_VENDOR "Trimvox")
if(DEFINED ENV{DEBFULLNAME} AND DEFINED ENV{DEBEMAIL})
  set(maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
  # The address the project's commits are signed with.
  set(maintainer "Trimvox developers <maintainers@users.noreply.c-seed-b8c6da3a.example>")
endif()
set(TRIMVOX_MAINTAINER "${maintainer}" CACHE STRING "The Debian package's maintainer, as Name <address>")
set(CPACK_PACKAGE_CONTACT "${TRIMVOX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cut a segment out of an MP3 file")
set(CPACK_PACKAGE_INSTALL_DIRECTORY trimvox)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The long description under the summary line; CPack indents its lines and marks the empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Trimvox is a small desktop tool that cuts a segment out of an MP3 file:
open an MP3 file, mark a start and an end while it plays, hear the cut in a
preview window and save it. The cut copies the bytes between the marks
unchanged, or whole MPEG audio frames with a fresh header that gives the cut
its exact playing time. The user interface is in Simplified Chinese.

The package also holds trimvox-cut, the same cut on the command line.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-arphic-uming | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, gstreamer1.0-libav")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
