# The API reference: `cmake --build --preset default --target docs` renders the installed
# headers with Doxygen into <build>/docs/html/index.html (cmake/docs.cmake). With
# TIVREL_DOCS_STRICT every public name of Proc/Interfaces/ without a documentation
# comment fails the build of the reference.
option(TIVREL_DOCS_STRICT "Fail the docs on undocumented public names in Proc/Interfaces/" OFF)
find_program(TIVREL_DOXYGEN doxygen)

# The command without its output directory (-DOUTPUT=... must follow before -P).
set(TIVREL_DOCS_COMMAND ${CMAKE_COMMAND} -DDOXYGEN=${TIVREL_DOXYGEN} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
  -DVERSION=${PROJECT_VERSION} -DDESCRIPTION=${PROJECT_DESCRIPTION} -DSTRICT=${TIVREL_DOCS_STRICT})
add_custom_target(docs
  COMMAND ${TIVREL_DOCS_COMMAND} -DOUTPUT=${PROJECT_BINARY_DIR}/docs -P ${PROJECT_SOURCE_DIR}/cmake/docs.cmake
  COMMENT "API reference: ${PROJECT_BINARY_DIR}/docs/html/index.html"
  VERBATIM)
