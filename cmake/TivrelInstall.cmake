# Installation of the project's libraries. Each library's CMakeLists.txt installs it
# with one call:
#
#   tivrel_install_library(<target> PKG_CONFIG <module> DESCRIPTION <text>
#     [EXPORT_NAME <name>]          the CMake target is Tivrel::<name> (default: the
#                                   target's EXPORT_NAME property)
#     [HEADERS <dir>...]            header directories, from the repository root
#                                   (default: the directory of the calling CMakeLists.txt)
#     [REQUIRES <module>...]        pkg-config modules its headers or library need
#     [LIBS <flag>...]              further public link flags (Libs:)
#     [LIBS_PRIVATE <flag>...]      what a static link adds (Libs.private:)
#     [CFLAGS <flag>...]            further compile flags (Cflags:)
#     [FIND_DEPENDENCIES <args>...] find_dependency() calls of the CMake package, one
#                                   argument string each ("Boost 1.74", "GTest")
#     [DEB_DEPENDS <package>...]    Debian packages the -dev package needs for it
#                                   ("libgmock-dev"))
#     [PART <Name>]                 an optional part of the package: its targets file
#                                   TivrelProc<Name>Targets.cmake is loaded (with its
#                                   FIND_DEPENDENCIES) only where it is installed, and it
#                                   goes to an install component and a Debian package of
#                                   its own (lib<project>-<name>-dev)
#
# For example, the static test-support library, which needs GoogleTest:
#   tivrel_install_library(tivrel_proc_testing EXPORT_NAME proc_testing PART Testing
#     PKG_CONFIG tivrel-proc-testing DESCRIPTION "..." REQUIRES tivrel-media gmock
#     FIND_DEPENDENCIES GTest DEB_DEPENDS libgmock-dev)
#
# It installs the library as Tivrel::<name> of the CMake package TivrelProc, its headers
# under include/tivrel/ (all but *Internal.h, which are private to the build), and
# <module>.pc. Shared libraries go to the install component "runtime"; headers, link
# symlinks, static archives and package descriptions to "dev" (the Debian packages
# follow these components). Both package descriptions are relocatable: the prefix given
# to `cmake --install --prefix` need not be the configured one.
include(CMakePackageConfigHelpers)

set(TIVREL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/TivrelProc)
set(TIVREL_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# pkg-config paths: the prefix is found from the .pc file's own place (${pcfiledir}).
if(IS_ABSOLUTE "${TIVREL_PC_DIR}")
  set(TIVREL_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH _tivrel_pc_up "/root/${TIVREL_PC_DIR}" "/root")
  string(REGEX REPLACE "/$" "" _tivrel_pc_up "${_tivrel_pc_up}")
  set(TIVREL_PC_PREFIX "\${pcfiledir}/${_tivrel_pc_up}")
endif()
foreach(_kind LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${_kind}}")
    set(TIVREL_PC_${_kind} "${CMAKE_INSTALL_${_kind}}")
  else()
    set(TIVREL_PC_${_kind} "\${prefix}/${CMAKE_INSTALL_${_kind}}")
  endif()
endforeach()
string(APPEND TIVREL_PC_INCLUDEDIR "/tivrel")

function(tivrel_install_library target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PKG_CONFIG;DESCRIPTION;EXPORT_NAME;PART"
    "HEADERS;REQUIRES;LIBS;LIBS_PRIVATE;CFLAGS;FIND_DEPENDENCIES;DEB_DEPENDS")
  if(NOT arg_PKG_CONFIG OR NOT arg_DESCRIPTION OR arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tivrel_install_library(${target}): PKG_CONFIG and DESCRIPTION are required"
                        " (unknown: ${arg_UNPARSED_ARGUMENTS})")
  endif()
  if(NOT arg_HEADERS)
    file(RELATIVE_PATH arg_HEADERS ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  endif()

  if(arg_EXPORT_NAME)
    set_target_properties(${target} PROPERTIES EXPORT_NAME ${arg_EXPORT_NAME})
    if(NOT TARGET Tivrel::${arg_EXPORT_NAME})
      add_library(Tivrel::${arg_EXPORT_NAME} ALIAS ${target})
    endif()
  endif()
  set(export TivrelProcTargets)
  set(runtime runtime)
  set(dev dev)
  if(arg_PART)
    set(export TivrelProc${arg_PART}Targets)
    string(TOLOWER ${arg_PART} runtime)
    set(dev ${runtime})
  endif()
  target_include_directories(${target} INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/tivrel>)
  install(TARGETS ${target} EXPORT ${export}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${runtime} NAMELINK_COMPONENT ${dev}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT ${dev})
  foreach(dir IN LISTS arg_HEADERS)
    get_filename_component(parent "${dir}" DIRECTORY)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}
      DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tivrel/${parent} COMPONENT ${dev}
      FILES_MATCHING PATTERN "*.h" PATTERN "*Internal.h" EXCLUDE)
  endforeach()

  # The project's own modules are required at exactly this version.
  set(requires)
  foreach(module IN LISTS arg_REQUIRES)
    if(module MATCHES "^tivrel-")
      string(APPEND module " = ${PROJECT_VERSION}")
    endif()
    list(APPEND requires "${module}")
  endforeach()
  list(JOIN requires ", " pc_requires)
  list(JOIN arg_LIBS " " pc_libs)
  list(JOIN arg_LIBS_PRIVATE " " pc_libs_private)
  list(JOIN arg_CFLAGS " " pc_cflags)
  get_target_property(pc_library ${target} OUTPUT_NAME)
  if(NOT pc_library)
    set(pc_library ${target})
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/tivrel.pc.in ${PROJECT_BINARY_DIR}/${arg_PKG_CONFIG}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${arg_PKG_CONFIG}.pc DESTINATION ${TIVREL_PC_DIR} COMPONENT ${dev})

  if(arg_PART)
    set_property(GLOBAL APPEND PROPERTY TIVREL_PARTS ${arg_PART})
    set_property(GLOBAL PROPERTY TIVREL_PART_${arg_PART}_FIND_DEPENDENCIES ${arg_FIND_DEPENDENCIES})
    set_property(GLOBAL PROPERTY TIVREL_PART_${arg_PART}_DEB_DEPENDS ${arg_DEB_DEPENDS})
    set_property(GLOBAL PROPERTY TIVREL_PART_${arg_PART}_DESCRIPTION "${arg_DESCRIPTION}")
  else()
    set_property(GLOBAL APPEND PROPERTY TIVREL_FIND_DEPENDENCIES ${arg_FIND_DEPENDENCIES})
    set_property(GLOBAL APPEND PROPERTY TIVREL_DEB_DEPENDS ${arg_DEB_DEPENDS})
  endif()
endfunction()

# find_dependency() lines of the CMake package, one per argument string, indented.
function(tivrel_find_dependency_lines out indent)
  set(lines)
  foreach(dependency IN LISTS ARGN)
    string(APPEND lines "${indent}find_dependency(${dependency})\n")
  endforeach()
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

# The CMake package and the Debian packages, described once every library has been
# declared (at the end of the top-level CMakeLists.txt).
function(tivrel_install_package)
  get_property(dependencies GLOBAL PROPERTY TIVREL_FIND_DEPENDENCIES)
  list(REMOVE_DUPLICATES dependencies)
  tivrel_find_dependency_lines(TIVREL_FIND_DEPENDENCIES "" ${dependencies})
  install(EXPORT TivrelProcTargets NAMESPACE Tivrel:: DESTINATION ${TIVREL_CMAKE_DIR} COMPONENT dev)
  # Optional parts: loaded where installed, after the libraries they build on.
  set(TIVREL_PARTS)
  get_property(parts GLOBAL PROPERTY TIVREL_PARTS)
  foreach(part IN LISTS parts)
    string(TOLOWER ${part} component)
    install(EXPORT TivrelProc${part}Targets NAMESPACE Tivrel:: DESTINATION ${TIVREL_CMAKE_DIR} COMPONENT ${component})
    get_property(part_dependencies GLOBAL PROPERTY TIVREL_PART_${part}_FIND_DEPENDENCIES)
    tivrel_find_dependency_lines(lines "  " ${part_dependencies})
    string(APPEND TIVREL_PARTS "if(EXISTS \"\${CMAKE_CURRENT_LIST_DIR}/TivrelProc${part}Targets.cmake\")\n"
                               "${lines}  include(\"\${CMAKE_CURRENT_LIST_DIR}/TivrelProc${part}Targets.cmake\")\n"
                               "endif()\n")
  endforeach()
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TivrelProcConfig.cmake.in
    ${PROJECT_BINARY_DIR}/TivrelProcConfig.cmake
    INSTALL_DESTINATION ${TIVREL_CMAKE_DIR})
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/TivrelProcConfigVersion.cmake
    COMPATIBILITY ${TIVREL_VERSION_COMPATIBILITY})
  install(FILES ${PROJECT_BINARY_DIR}/TivrelProcConfig.cmake ${PROJECT_BINARY_DIR}/TivrelProcConfigVersion.cmake
    DESTINATION ${TIVREL_CMAKE_DIR} COMPONENT dev)
  include(TivrelDebian)
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL tivrel_install_package)
