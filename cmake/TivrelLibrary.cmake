# Shared settings of the project's shared libraries: versioned SONAME, headers from the
# repository root (installed under include/tivrel), warnings, the exported-symbol list
# (cmake/exports.map), and a link that fails on undefined symbols so that a missing
# private dependency shows at build time rather than in a consumer. Sanitized builds
# leave the sanitizer runtime's symbols to the executable, so they link without that
# check.

# The ABI version. While the major version is 0 every minor release may break the ABI,
# so the SONAME carries major.minor (libtivrel_proc.so.0.1) and the CMake package only
# accepts requests for the same minor version; from 1.0 on the major version alone.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(TIVREL_SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
  set(TIVREL_VERSION_COMPATIBILITY SameMinorVersion)
else()
  set(TIVREL_SOVERSION ${PROJECT_VERSION_MAJOR})
  set(TIVREL_VERSION_COMPATIBILITY SameMajorVersion)
endif()

function(tivrel_configure_shared_library target export_name building_define)
  add_library(Tivrel::${export_name} ALIAS ${target})
  set(exports_map ${PROJECT_SOURCE_DIR}/cmake/exports.map)
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${TIVREL_SOVERSION}
    EXPORT_NAME ${export_name}
    # Each library finds the others beside itself wherever they are installed.
    INSTALL_RPATH "$ORIGIN"
    LINK_DEPENDS ${exports_map})
  target_compile_definitions(${target} PRIVATE ${building_define})
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  target_link_options(${target} PRIVATE LINKER:--version-script=${exports_map})
  if(NOT TIVREL_SANITIZE)
    target_link_options(${target} PRIVATE LINKER:--no-undefined)
  endif()
endfunction()
