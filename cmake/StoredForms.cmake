# Stored forms as the programs carry them: form files with their pictures and
# the compiled-in skin embedded (cmake/EmbedFiles.cmake), to be compiled in as
# RCDATA resources named after their form classes.

# The compiled-in skin: the skin folder packed by the host tool skintool into
# the SkinStream value that a form stores, once for every program.
if(NOT TESSALY_HOST_BIN)
    message(FATAL_ERROR "TESSALY_HOST_BIN must name the host build's bin folder (skintool); scripts/build sets it")
endif()
set(TESSALY_SKIN_STREAM_DIR ${CMAKE_BINARY_DIR}/skin)
set(skin_source ${CMAKE_SOURCE_DIR}/assets/skin/lightblue)
file(GLOB skin_files CONFIGURE_DEPENDS ${skin_source}/*)
add_custom_command(
    OUTPUT ${TESSALY_SKIN_STREAM_DIR}/lightblue.skinstream
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSALY_SKIN_STREAM_DIR}
    COMMAND ${TESSALY_HOST_BIN}/skintool pack ${skin_source} ${TESSALY_SKIN_STREAM_DIR}/lightblue.skinstream
    DEPENDS ${skin_files} ${TESSALY_HOST_BIN}/skintool
    COMMENT "Packing the lightblue skin")
add_custom_target(tessaly_skin_stream DEPENDS ${TESSALY_SKIN_STREAM_DIR}/lightblue.skinstream)

# tessaly_stored_forms(<target> <form folder> <picture folder> <form>...)
# makes <target> write <binary dir>/forms/<form>.dfm for each form, every
# {@name@} filled from the picture folder or the packed skin. Sets
# <target>_DIR to that folder and <target>_FILES to the files.
function(tessaly_stored_forms target form_dir picture_dir)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/forms)
    set(files)
    foreach(form IN LISTS ARGN)
        add_custom_command(
            OUTPUT ${out}/${form}.dfm
            COMMAND ${CMAKE_COMMAND} -DINPUT=${form_dir}/${form}.dfm -DOUTPUT=${out}/${form}.dfm
                    "-DDIR=${picture_dir}$<SEMICOLON>${TESSALY_SKIN_STREAM_DIR}"
                    -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
            DEPENDS ${form_dir}/${form}.dfm ${CMAKE_SOURCE_DIR}/cmake/EmbedFiles.cmake
                    ${TESSALY_SKIN_STREAM_DIR}/lightblue.skinstream
            COMMENT "Embedding pictures in ${form}.dfm"
            VERBATIM)
        list(APPEND files ${out}/${form}.dfm)
    endforeach()
    add_custom_target(${target} DEPENDS ${files})
    add_dependencies(${target} tessaly_skin_stream)
    set(${target}_DIR ${out} PARENT_SCOPE)
    set(${target}_FILES ${files} PARENT_SCOPE)
endfunction()
