# Shared settings of the two shared libraries: versioned SONAME, headers from the
# repository root (installed under include/tivrel), warnings, and a link that fails
# on undefined symbols so that a missing private dependency shows at build time
# rather than in a consumer. Sanitized builds leave the sanitizer runtime's symbols
# to the executable, so they link without that check.
function(tivrel_configure_shared_library target export_name building_define)
  add_library(Tivrel::${export_name} ALIAS ${target})
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    EXPORT_NAME ${export_name}
    # libtivrel_proc finds libtivrel_platform beside itself wherever both are installed.
    INSTALL_RPATH "$ORIGIN")
  target_compile_definitions(${target} PRIVATE ${building_define})
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/tivrel>)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(NOT TIVREL_SANITIZE)
    target_link_options(${target} PRIVATE LINKER:--no-undefined)
  endif()
endfunction()
