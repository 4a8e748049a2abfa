# Warnings and sanitizers as interface targets that every target links.
add_library(kupongen_warnings INTERFACE)
target_compile_options(kupongen_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Wunused -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough
    $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-cond -Wlogical-op>)

add_library(kupongen_options INTERFACE)
if(KUPONGEN_SANITIZE)
    target_compile_options(kupongen_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(kupongen_options INTERFACE -fsanitize=address,undefined)
endif()
if(KUPONGEN_FUZZ)
    # Coverage feedback for libFuzzer from every target; the fuzz target links
    # the fuzzer's own main.
    target_compile_options(kupongen_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# Hardening as Debian builds its packages: checked buffer functions where the
# compiler optimises (fortify needs it, and the sanitizers bring their own
# checks), and a read-only relocation table bound at start.
if(NOT WIN32 AND NOT KUPONGEN_SANITIZE AND NOT KUPONGEN_FUZZ)
    target_compile_definitions(kupongen_options INTERFACE
        $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()
if(NOT WIN32)
    target_link_options(kupongen_options INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()
