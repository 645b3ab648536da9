# Runs kexpass on a stand-in executable and checks the file it writes, and
# that bad input fails without touching an existing file.
#   cmake -DKEXPASS=<kexpass> -DWORK=<scratch folder> -P KexpassTest.cmake

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
string(REPEAT "MZ-0123456789" 40 exe)   # 520 bytes
file(WRITE ${WORK}/tessaly.exe "${exe}")
file(WRITE ${WORK}/short.exe "MZ")

function(expect_exit code)
    execute_process(COMMAND ${KEXPASS} ${ARGN} RESULT_VARIABLE result ERROR_VARIABLE stderr)
    if(NOT result EQUAL code)
        message(FATAL_ERROR "kexpass ${ARGN}: exit ${result}, expected ${code}\n${stderr}")
    endif()
endfunction()

expect_exit(0 ${WORK}/tessaly.exe ${WORK}/kex_run.dll tessaly)
# Compared as hex text: the filler may hold any byte but 255.
file(READ ${WORK}/kex_run.dll written HEX)
file(READ ${WORK}/tessaly.exe exeHex HEX)
string(SUBSTRING "${written}" 0 798 head)
string(SUBSTRING "${exeHex}" 0 798 exeHead)
if(NOT head STREQUAL exeHead)
    message(FATAL_ERROR "the file does not start with the executable's first 399 bytes")
endif()
# "tessaly" in Base64 and the tab.
string(SUBSTRING "${written}" 798 26 coded)
if(NOT coded STREQUAL "6447567a6332467365513d3d09")
    message(FATAL_ERROR "encoded password and tab expected at offset 399, found ${coded}")
endif()
file(SIZE ${WORK}/kex_run.dll size)
math(EXPR tail "${size} - 412")
if(tail LESS 500 OR tail GREATER 1499)
    message(FATAL_ERROR "filler of ${tail} bytes")
endif()

file(SHA256 ${WORK}/kex_run.dll before)
expect_exit(1 ${WORK}/tessaly.exe ${WORK}/kex_run.dll "密码")
expect_exit(1 ${WORK}/short.exe ${WORK}/kex_run.dll tessaly)
expect_exit(1 ${WORK}/missing.exe ${WORK}/kex_run.dll tessaly)
expect_exit(2 ${WORK}/tessaly.exe ${WORK}/kex_run.dll)
file(SHA256 ${WORK}/kex_run.dll after)
if(NOT before STREQUAL after)
    message(FATAL_ERROR "a failed run changed the existing file")
endif()
file(GLOB left ${WORK}/*.tmp)
if(left)
    message(FATAL_ERROR "temporary files left: ${left}")
endif()
