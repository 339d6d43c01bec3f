# `cpack -G DEB` in a build folder: a Debian package of the engine, its tools and the demo game
# with its desktop entry (what `cmake --install` puts under the prefix).
set(HOPWERK_MAINTAINER "Hopwerk developers <hopwerk@example.org>"
    CACHE STRING "Maintainer written into the Debian package")

set(CPACK_PACKAGE_NAME hopwerk)
set(CPACK_PACKAGE_VENDOR "Hopwerk")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "engine for 2D side-view platform games, with a demo game")
# The long description of the package; Debian takes its first line from the summary above.
set(CPACK_PACKAGE_DESCRIPTION
    "Hopwerk plays data-driven 2D side-view platform games: a game project is a folder of VXR
archives and loose pictures, sounds, music and texts. Start it with `hopwerk PATH` to play the
project in PATH. Without a path it plays the demo game installed with it, a frog's hop through
meadows and caves in two episodes, also found in the desktop's games menu. The package holds
hopwerk-replay too, which plays a project headless from scripted input, and vxr, the archive
tool.")
set(CPACK_PACKAGE_CONTACT "${HOPWERK_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY hopwerk)
# Debian installs under /usr whatever prefix the build folder was configured with.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HOPWERK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps (dpkg-dev) where it is installed,
# else from this list of what Debian 12 names them.
find_program(HOPWERK_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(HOPWERK_FILE_TOOL file)
if(HOPWERK_DPKG_SHLIBDEPS AND HOPWERK_FILE_TOOL)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libsdl2-2.0-0, libsdl2-mixer-2.0-0, libpng16-16, libpixman-1-0, libvorbisfile3, libpugixml1v5,
      zlib1g")
endif()

include(CPack)
