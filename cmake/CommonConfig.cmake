# One interface target carries the language level, warnings and sanitizer
# flags; every target of the project links it instead of using global flags.
add_library(sorvanel_config INTERFACE)
add_library(Sorvanel::config ALIAS sorvanel_config)

target_compile_features(sorvanel_config INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(sorvanel_config INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(sorvanel_config INTERFACE
  QT_NO_KEYWORDS
  QT_NO_CAST_FROM_ASCII
  $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)

option(SORVANEL_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
if(SORVANEL_WARNINGS_AS_ERRORS)
  target_compile_options(sorvanel_config INTERFACE -Werror)
endif()

option(SORVANEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(SORVANEL_SANITIZE)
  target_compile_options(sorvanel_config INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(sorvanel_config INTERFACE -fsanitize=address,undefined)
endif()
