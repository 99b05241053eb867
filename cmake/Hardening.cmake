# The hardening Debian expects of its programs, for the Release build the package is made from:
# fortified libc calls, stack protection, and relocations bound at start-up and then made read-only.
# Debug builds lack the optimisation fortification needs, sanitizer builds check all this and more, and
# MSVC has switches of its own.
if(NOT LATTISCRIBE_SANITIZE AND NOT MSVC)
    add_compile_definitions($<$<CONFIG:Release>:_FORTIFY_SOURCE=2>)
    add_compile_options($<$<CONFIG:Release>:-fstack-protector-strong>)
    add_link_options($<$<CONFIG:Release>:LINKER:-z,relro,-z,now>)
endif()
