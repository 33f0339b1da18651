# Installs both shared libraries, the headers, a CMake package (Tivrel::proc,
# Tivrel::platform) and a pkg-config file. Both descriptions are relocatable: the
# prefix given to `cmake --install --prefix` need not be the configured one.
include(CMakePackageConfigHelpers)

set(TIVREL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/TivrelProc)

install(TARGETS tivrel_platform tivrel_proc tivrel_media EXPORT TivrelProcTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Platform ${PROJECT_SOURCE_DIR}/Proc ${PROJECT_SOURCE_DIR}/Media
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tivrel
  FILES_MATCHING PATTERN "*.h")
install(EXPORT TivrelProcTargets NAMESPACE Tivrel:: DESTINATION ${TIVREL_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TivrelProcConfig.cmake.in
  ${PROJECT_BINARY_DIR}/TivrelProcConfig.cmake
  INSTALL_DESTINATION ${TIVREL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TivrelProcConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TivrelProcConfig.cmake ${PROJECT_BINARY_DIR}/TivrelProcConfigVersion.cmake
  DESTINATION ${TIVREL_CMAKE_DIR})

# pkg-config: the prefix is found from the .pc file's own place (${pcfiledir}).
set(_tivrel_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(IS_ABSOLUTE "${_tivrel_pc_dir}")
  set(TIVREL_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH _tivrel_pc_up "/root/${_tivrel_pc_dir}" "/root")
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
configure_file(${PROJECT_SOURCE_DIR}/cmake/tivrel-proc.pc.in ${PROJECT_BINARY_DIR}/tivrel-proc.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tivrel-proc.pc DESTINATION ${_tivrel_pc_dir})
