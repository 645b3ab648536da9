# Windows build: tessaly.exe and the test programs that CTest runs under Wine.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

# Host tools built by the host build (scripts/build passes their folder).
set(TESSALY_HOST_BIN "" CACHE PATH "bin folder of the host build")

tessaly_neutral_library(tessaly_neutral)
include(cmake/StoredForms.cmake)

add_subdirectory(ui)
add_subdirectory(skin)
add_subdirectory(app)

if(NOT TESSALY_TESTS)
    return()
endif()
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest is not ours: its warnings do not fail our build.
target_compile_options(gtest PRIVATE -Wno-error)
target_compile_options(gtest_main PRIVATE -Wno-error)
add_subdirectory(tests/win)
add_subdirectory(tests/e2e)
add_subdirectory(tests/bench)
add_subdirectory(tools/win)
