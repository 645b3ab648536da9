# Fuzz build: the platform-neutral units instrumented for libFuzzer under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets of
# tests/fuzz. Configure with clang:
#   CC=clang CXX=clang++ cmake -S . -B build/fuzz -DTESSALY_FUZZ=ON
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz build needs clang: configure it with CC=clang CXX=clang++")
endif()

# Optimised a little for speed, with debug information for the reports; no
# NDEBUG, so that assertions stay armed.
set(TESSALY_FUZZ_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-O1 -g)

tessaly_neutral_library(tessaly_neutral_fuzz)
target_compile_options(tessaly_neutral_fuzz PUBLIC ${TESSALY_FUZZ_SANITIZE} PRIVATE -fsanitize=fuzzer-no-link)
target_link_options(tessaly_neutral_fuzz PUBLIC ${TESSALY_FUZZ_SANITIZE})

add_subdirectory(tests/fuzz)
