# The API reference: `cmake --build --preset default --target docs` renders the installed
# headers with Doxygen into <build>/docs/html/index.html (cmake/docs.cmake). With
# TIVREL_DOCS_STRICT (the default) every public name of Proc/Interfaces/ and Proc/Settings/
# without a documentation comment fails the build of the reference; OFF only counts them,
# for local work on the comments. The `docs` test, which runs TIVREL_DOCS_COMMAND, is
# always strict.
option(TIVREL_DOCS_STRICT "Fail the docs target on undocumented public names in Proc/Interfaces/ and Proc/Settings/" ON)
find_program(TIVREL_DOXYGEN doxygen)

# The command without its output directory (-DOUTPUT=... must follow before -P).
set(TIVREL_DOCS_COMMAND ${CMAKE_COMMAND} -DDOXYGEN=${TIVREL_DOXYGEN} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
  -DVERSION=${PROJECT_VERSION} -DDESCRIPTION=${PROJECT_DESCRIPTION})
add_custom_target(docs
  COMMAND ${TIVREL_DOCS_COMMAND} -DSTRICT=${TIVREL_DOCS_STRICT} -DOUTPUT=${PROJECT_BINARY_DIR}/docs
          -P ${PROJECT_SOURCE_DIR}/cmake/docs.cmake
  COMMENT "API reference: ${PROJECT_BINARY_DIR}/docs/html/index.html"
  VERBATIM)
