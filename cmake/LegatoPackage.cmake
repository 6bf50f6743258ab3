# The Debian package (scripts/package.sh): CPack's DEB generator over what
# `cmake --install` puts under the prefix, which should be /usr. Its
# dependencies come from dpkg-shlibdeps; the machine-wide registry layer is
# written into the staging folder by the install step (LegatoComponent.cmake).
set(LEGATO_PACKAGE_MAINTAINER "The Legato developers <maintainers@legato.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME legato)
set(CPACK_PACKAGE_VENDOR "The Legato developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LEGATO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# The libraries in the public folder need the linker cache renewed.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_CURRENT_LIST_DIR}/../doc/debian/triggers")
# The player needs GStreamer's MP3 decoder at run time, which no library link shows.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
# Qt's own texts (standard buttons) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ID3v1 tag editor for MP3 files")
# CPack indents the text and marks the empty line as a paragraph break.
set(CPACK_PACKAGE_DESCRIPTION "Legato edits the ID3v1.0 and ID3v1.1 tags at the end of MP3 files: title,
artist, album, year, comment, track and genre. Its window edits one file's
tag field by field and tags whole folder trees from their file names, with a
default tag for the gaps and a test mode that writes nothing.

The package holds the window (cadenza), its command-line twin (cadenza-cli),
a small media player the editor hands files to (jukebox), the registry tools
(cadenza-reg, regsvr32) and the tag library Quaver.")
include(CPack)
