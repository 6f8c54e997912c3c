# -DTAERIN_SANITIZE=address,undefined (or thread) builds everything instrumented.
set(TAERIN_SANITIZE "" CACHE STRING "Comma-separated sanitizers (address, undefined, thread)")
if(TAERIN_SANITIZE)
  add_compile_options(-fsanitize=${TAERIN_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${TAERIN_SANITIZE})
endif()
