# One place for the language level, warnings and strict Qt defines; every
# target of the project links carvello_options.
add_library(carvello_options INTERFACE)
target_compile_features(carvello_options INTERFACE cxx_std_20)
if(MSVC)
  target_compile_options(carvello_options INTERFACE /W4 /permissive- /utf-8)
else()
  target_compile_options(carvello_options INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wno-missing-field-initializers
    # The fuzz targets are built with clang, which spells this warning its own way.
    $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local> $<$<CXX_COMPILER_ID:Clang>:-Wshadow-uncaptured-local>
    $<$<CONFIG:Debug>:-Werror>)
endif()
target_compile_definitions(carvello_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CONTEXTLESS_CONNECT
  QT_NO_FOREACH
  QT_NO_URL_CAST_FROM_STRING
  QT_STRICT_ITERATORS)
