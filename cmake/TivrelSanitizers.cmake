# Applies TIVREL_SANITIZE to every target of the build (libraries, tests, examples).
if(TIVREL_SANITIZE)
  set(_tivrel_san_flags -fsanitize=${TIVREL_SANITIZE} -fno-omit-frame-pointer)
  if(TIVREL_SANITIZE MATCHES "undefined")
    # GCC's "undefined" group leaves out the float checks; out-of-range double to
    # integer conversions are exactly the bugs the time and settings code guards against.
    list(APPEND _tivrel_san_flags -fsanitize=float-cast-overflow,float-divide-by-zero -fno-sanitize-recover=all)
  endif()
  add_compile_options(${_tivrel_san_flags})
  add_link_options(-fsanitize=${TIVREL_SANITIZE})
  if(TIVREL_SANITIZE MATCHES "undefined")
    add_link_options(-fsanitize=float-cast-overflow,float-divide-by-zero)
  endif()
endif()
