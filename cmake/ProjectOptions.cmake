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
if(EMSCRIPTEN)
    # The script runner's JSON reading reports malformed strings by exception,
    # and emscripten catches none unless asked. WebAssembly's own exceptions
    # cost nothing until one is thrown; emscripten's JavaScript ones would
    # slow every call under a destructor.
    # Saturating float-to-int conversion and bulk memory, which every current
    # browser and node have: the generator's draw converts a double to an int
    # millions of times, and the rows grow by memcpy.
    target_compile_options(kupongen_options INTERFACE
        -fwasm-exceptions -mnontrapping-fptoint -mbulk-memory)
    target_link_options(kupongen_options INTERFACE
        -fwasm-exceptions -mnontrapping-fptoint -mbulk-memory)
endif()

# Hardening as Debian builds its packages: checked buffer functions where the
# compiler optimises (fortify needs it, and the sanitizers bring their own
# checks), and a read-only relocation table bound at start.
if(NOT WIN32 AND NOT EMSCRIPTEN AND NOT KUPONGEN_SANITIZE AND NOT KUPONGEN_FUZZ)
    target_compile_definitions(kupongen_options INTERFACE
        $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()
if(NOT WIN32 AND NOT EMSCRIPTEN)
    target_link_options(kupongen_options INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()
