# Warnings for the project's own targets; -Werror comes only from a preset (ZELKON_WERROR).
option(ZELKON_WERROR "Treat warnings as errors" OFF)

add_library(zelkon_warnings INTERFACE)
target_compile_options(zelkon_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough
  $<$<BOOL:${ZELKON_WERROR}>:-Werror>)
