# `make package`: a Debian package of the install rules (packaging/CMakeLists.txt), built with
# `cpack -G DEB` in the build folder as quillo_<version>_<arch>.deb. The libraries come from
# dpkg-shlibdeps; what the program needs beyond them is listed here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quillo authors")
set(CPACK_PACKAGE_CONTACT "${QUILLO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clipboard history and Markdown notes at the edge of the screen")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUILLO_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The interface is Chinese: without a CJK font its text is drawn as boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
# In Wayland sessions with the data-control protocol the clipboard is followed through
# wl-paste and wl-copy; the support card's mail and website buttons open through xdg-open;
# Qt's own texts (the folder dialog, the text fields' menus) are Chinese from Qt's catalogues.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wl-clipboard, xdg-utils, qt6-translations-l10n")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillo keeps text at hand in a slim frosted-glass panel docked to the right
edge of the screen. It slides away when the pointer leaves it and comes back
from a small tab at the edge. It keeps a history of the last 100 things you
copied (text, links, code, pictures and files) and a folder of Markdown notes
you can read, search, edit and create. Passwords, one-time codes and access
tokens are kept out of the history by default. The interface is in Chinese;
everything stays on your machine.")

include(CPack)
