# Our own targets build with these warnings; third-party headers come in as system headers.
# OVANTO_WERROR (on in the presets and CI) makes them errors, so a newer compiler
# with new warnings cannot break a user's own build.
option(OVANTO_WERROR "Treat warnings as errors" OFF)

function(ovanto_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wold-style-cast -Wcast-align -Wnull-dereference)
  if(OVANTO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
