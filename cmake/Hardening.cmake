# The hardening Debian expects of its programs, for the Release build the package is made from:
# fortified libc calls, stack protection, and relocations bound at start-up and then made read-only.
# Debug builds lack the optimisation fortification needs, sanitizer builds check all this and more, and
# Windows has neither the ELF linker switches nor MinGW's libssp by default, and gets its own release
# flags (cmake/Windows.cmake).
if(NOT LATTISCRIBE_SANITIZE AND NOT WIN32)
    add_compile_definitions($<$<CONFIG:Release>:_FORTIFY_SOURCE=2>)
    add_compile_options($<$<CONFIG:Release>:-fstack-protector-strong>)
    add_link_options($<$<CONFIG:Release>:LINKER:-z,relro,-z,now>)
endif()
