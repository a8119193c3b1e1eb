# CPack on Linux: three Debian packages from the install components
# (cpack -G DEB in a build configured with -DCMAKE_INSTALL_PREFIX=/usr); the
# Windows ZIP has cmake/InstallWindows.cmake.
# Included after every install rule, whose conffiles it lists.

set(VF_MAINTAINER "Vellafind developers <maintainers@vellafind.org>")

# The changelog and the metainfo name the release; both must match the
# project's version, or the packages would describe another one.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog _vf_changelog_head LIMIT_COUNT 1)
if(NOT _vf_changelog_head MATCHES "^vellafind \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog does not start with version ${PROJECT_VERSION}")
endif()
file(READ ${PROJECT_SOURCE_DIR}/res/org.vellafind.vellafind.metainfo.xml _vf_metainfo)
if(NOT _vf_metainfo MATCHES "<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "res/org.vellafind.vellafind.metainfo.xml has no release ${PROJECT_VERSION}")
endif()

set(CPACK_PACKAGE_NAME "vellafind")
set(CPACK_PACKAGE_VENDOR "The Vellafind developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${VF_MAINTAINER}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_OUTPUT_FILE_PREFIX "${PROJECT_BINARY_DIR}/packages")
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/PackagingCheck.cmake")
set(CPACK_VF_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")

set(CPACK_GENERATOR "DEB")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program library development)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VF_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vellafind.org/")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Depends: what the binaries link, as dpkg-shlibdeps finds it, plus what
# the packages name below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${PROJECT_BINARY_DIR}")
# The library package gets a shlibs file beside its symbols file.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(_vf_same_version "(= ${PROJECT_VERSION})")
# Each component's description starts with its one-line synopsis.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME "vellafind")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION "net")
if(VF_DEB_CONFFILES)
  list(JOIN VF_DEB_CONFFILES "\n" _vf_conffiles)
  file(WRITE ${PROJECT_BINARY_DIR}/packaging/vellafind/conffiles "${_vf_conffiles}\n")
  set(CPACK_DEBIAN_PROGRAM_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/packaging/vellafind/conffiles)
endif()
# The window's dialog font has its metric twin in fonts-liberation; Browse
# opens pages with xdg-open.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS
    "libdevsearch1 ${_vf_same_version}, fonts-liberation, xdg-utils")
set(CPACK_COMPONENT_PROGRAM_DESCRIPTION
"find network cameras on the LAN and change their settings
Vellafind finds the network cameras on the local network with one multicast
search and lists every camera that answers with its name, MAC address, IP
address and HTTP port. A camera's address, subnet mask, gateway, DNS servers,
DHCP state and HTTP port can then be changed, authorised by the camera's
viewing account, and its web page opened in the browser.
.
This package contains the window (vellafind) and the command-line search
(vellafind-cli). The camera protocol has no authentication and sends
passwords in clear text: use it on trusted networks only.")

# The engine's two packages describe it alike.
set(_vf_engine_paragraph
"libdevsearch finds network cameras on the local network: it multicasts a
small text search request over UDP, parses the cameras' announcements and
sends configuration commands to one camera at a time. It runs a receive and a
worker thread of its own and reports through two callbacks, behind a plain C
interface.")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME "libdevsearch1")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION "libs")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA
    "${PROJECT_SOURCE_DIR}/packaging/debian/libdevsearch1/symbols"
    "${PROJECT_SOURCE_DIR}/packaging/debian/libdevsearch1/triggers")
set(CPACK_COMPONENT_LIBRARY_DESCRIPTION
"network camera discovery engine (shared library)
${_vf_engine_paragraph}
.
This package contains the shared library.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME "libdevsearch-dev")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION "libdevel")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libdevsearch1 ${_vf_same_version}")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
"network camera discovery engine (development files)
${_vf_engine_paragraph}
.
This package contains the header devsearch.h, which documents the whole
interface, and the files to link against the library.")

# CPack calls ldconfig from maintainer scripts; Debian wants the trigger
# that the library package declares instead.
set(CPACK_POST_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/PackagingLdconfigTrigger.cmake")

include(CPack)
