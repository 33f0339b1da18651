# Applies TIVREL_SANITIZE to every target of the build (libraries, tests, examples).
if(TIVREL_SANITIZE)
  set(_tivrel_san_flags -fsanitize=${TIVREL_SANITIZE} -fno-omit-frame-pointer)
  if(TIVREL_SANITIZE MATCHES "undefined")
    list(APPEND _tivrel_san_flags -fno-sanitize-recover=undefined)
  endif()
  add_compile_options(${_tivrel_san_flags})
  add_link_options(-fsanitize=${TIVREL_SANITIZE})
endif()
