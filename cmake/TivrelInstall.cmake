# Installs both shared libraries, the headers, a CMake package (Tivrel::proc,
# Tivrel::platform) and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS tivrel_platform tivrel_proc EXPORT TivrelProcTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Proc ${PROJECT_SOURCE_DIR}/Platform
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tivrel
  FILES_MATCHING PATTERN "*.h")
install(EXPORT TivrelProcTargets NAMESPACE Tivrel::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/TivrelProc)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TivrelProcConfig.cmake.in
  ${PROJECT_BINARY_DIR}/TivrelProcConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/TivrelProc)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TivrelProcConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TivrelProcConfig.cmake ${PROJECT_BINARY_DIR}/TivrelProcConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/TivrelProc)
configure_file(${PROJECT_SOURCE_DIR}/cmake/tivrel-proc.pc.in ${PROJECT_BINARY_DIR}/tivrel-proc.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tivrel-proc.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
