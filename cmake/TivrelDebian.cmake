# Debian packages, made by `cpack -G DEB` in the build directory (included by
# tivrel_install_package() once every library is declared):
#  - lib<project><ABI version> (libtivrel-proc0.1): the shared libraries; its Depends
#    come from dpkg-shlibdeps (the Debian packages of the libraries they load);
#  - lib<project>-dev: headers, link symlinks, the CMake package and the pkg-config
#    files; it depends on exactly this version of the runtime package and on the
#    Debian packages whose headers the installed headers include;
#  - lib<project>-<part>-dev for each optional part (the test-support library:
#    libtivrel-proc-testing-dev, which needs GoogleMock).
# The install components "runtime" and "dev" (cmake/TivrelInstall.cmake) decide what
# goes where.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stripped, as Debian ships libraries; the build tree keeps its debug information.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tivrel engine developers <engine@tivrel.invalid>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "${PROJECT_DESCRIPTION} (shared libraries)")
string(REPLACE "_" "-" _tivrel_deb_name "lib${PROJECT_NAME}${TIVREL_SOVERSION}")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${_tivrel_deb_name})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")

set(CPACK_COMPONENT_DEV_DESCRIPTION "${PROJECT_DESCRIPTION} (headers, CMake package, pkg-config files)")
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_DEBIAN_DEV_PACKAGE_NAME lib${PROJECT_NAME}-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
get_property(_tivrel_deb_depends GLOBAL PROPERTY TIVREL_DEB_DEPENDS)
list(REMOVE_DUPLICATES _tivrel_deb_depends)
list(PREPEND _tivrel_deb_depends "libboost-dev (>= ${Boost_MAJOR_VERSION}.${Boost_MINOR_VERSION})")
list(JOIN _tivrel_deb_depends ", " CPACK_DEBIAN_DEV_PACKAGE_DEPENDS)

# Each optional part (tivrel_install_library(... PART <Name>)): lib<project>-<name>-dev,
# on top of the -dev package.
get_property(_tivrel_parts GLOBAL PROPERTY TIVREL_PARTS)
foreach(_tivrel_part IN LISTS _tivrel_parts)
  string(TOLOWER ${_tivrel_part} _tivrel_component)
  string(TOUPPER ${_tivrel_part} _tivrel_upper)
  list(APPEND CPACK_COMPONENTS_ALL ${_tivrel_component})
  get_property(_tivrel_text GLOBAL PROPERTY TIVREL_PART_${_tivrel_part}_DESCRIPTION)
  set(CPACK_COMPONENT_${_tivrel_upper}_DESCRIPTION "${_tivrel_text}")
  set(CPACK_COMPONENT_${_tivrel_upper}_DEPENDS dev)
  set(CPACK_DEBIAN_${_tivrel_upper}_PACKAGE_NAME lib${PROJECT_NAME}-${_tivrel_component}-dev)
  set(CPACK_DEBIAN_${_tivrel_upper}_PACKAGE_SECTION libdevel)
  get_property(_tivrel_deb_depends GLOBAL PROPERTY TIVREL_PART_${_tivrel_part}_DEB_DEPENDS)
  list(PREPEND _tivrel_deb_depends "lib${PROJECT_NAME}-dev (= ${PROJECT_VERSION})")
  list(JOIN _tivrel_deb_depends ", " CPACK_DEBIAN_${_tivrel_upper}_PACKAGE_DEPENDS)
endforeach()
include(CPack)
