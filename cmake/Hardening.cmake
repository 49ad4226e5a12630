# The hardening Debian builds its packages with (dpkg-buildflags with hardening=+all),
# in every build: stack protector, format checks, fortified C library calls, relocations
# made read-only and bound at start-up, position-independent executables.
option(QUORLIN_HARDENING "Build with Debian's hardening flags" ON)
if(NOT QUORLIN_HARDENING)
  return()
endif()

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
# Fortification works only with optimisation. Under the sanitizers the checked variants
# of the C library calls would bypass their interceptors, which check more.
if(NOT QUORLIN_SANITIZE AND NOT QUORLIN_FUZZ)
  add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()
