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
    # The script runner's JSON reading reports malformed strings by exception;
    # emscripten catches none unless asked.
    target_compile_options(kupongen_options INTERFACE -fexceptions)
    target_link_options(kupongen_options INTERFACE -fexceptions)
endif()
