# Host build: the platform-neutral units under AddressSanitizer and
# UndefinedBehaviorSanitizer, their native tests, and the host tools.
if(TESSALY_TESTS)
    find_package(GTest REQUIRED)
endif()

set(TESSALY_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
tessaly_neutral_library(tessaly_neutral)
target_compile_options(tessaly_neutral PUBLIC ${TESSALY_SANITIZE})
target_link_options(tessaly_neutral PUBLIC ${TESSALY_SANITIZE})

add_subdirectory(tools)
if(NOT TESSALY_TESTS)
    return()
endif()
add_subdirectory(tests/host)
add_subdirectory(tests/xdnd)
add_subdirectory(tests/release)

# The committed skin and button pictures match their generator.
add_test(NAME skinart COMMAND bash ${CMAKE_SOURCE_DIR}/tests/skinart/regenerate_test.sh ${CMAKE_SOURCE_DIR})

# The source folders depend on each other in one direction (docs/architecture.md).
add_test(NAME source_layers COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/layout/check_layers.py ${CMAKE_SOURCE_DIR})
