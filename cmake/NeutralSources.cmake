# Units that include no Windows header. They are compiled into the program and,
# with the host compiler, into the native tests and host tools.
set(TESSALY_NEUTRAL_SOURCES
    app/kexBase64.cpp
    app/kexPassFile.cpp
    app/kexRandom.cpp
    skin/ColourMath.cpp
    skin/LZH.cpp
    skin/LZHEncoder.cpp
    skin/LzhTree.cpp
    skin/SkinDescription.cpp
    skin/SkinReader.cpp
    skin/WinSkinIni.cpp
    ui/BmpFormat.cpp
    ui/Classes.cpp
    ui/FormReader.cpp
    ui/TypInfo.cpp
    ui/Utf8.cpp
)
list(TRANSFORM TESSALY_NEUTRAL_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)

function(tessaly_neutral_library name)
    add_library(${name} STATIC ${TESSALY_NEUTRAL_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()
