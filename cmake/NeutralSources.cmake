# Units that include no Windows header. They are compiled into the program and,
# with the host compiler, into the native tests and host tools.
set(TESSALY_NEUTRAL_SOURCES
    app/kexBase64.cpp
    app/kexPassFile.cpp
    app/kexRandom.cpp
    skin/draw/ColourMath.cpp
    skin/format/LZH.cpp
    skin/format/LZHEncoder.cpp
    skin/format/LzhTree.cpp
    skin/format/SkinDescription.cpp
    skin/format/SkinFolder.cpp
    skin/format/SkinCheck.cpp
    skin/format/SkinCheckDescription.cpp
    skin/format/SkinCheckNames.cpp
    skin/format/SkinCheckPictures.cpp
    skin/format/SkinCheckValues.cpp
    skin/format/SkinContrast.cpp
    skin/format/SkinKeys.cpp
    skin/format/SkinReader.cpp
    skin/format/WinSkinIni.cpp
    ui/graphics/BmpFormat.cpp
    ui/core/Classes.cpp
    ui/core/FormReader.cpp
    ui/core/TypInfo.cpp
    ui/core/Utf8.cpp
)
list(TRANSFORM TESSALY_NEUTRAL_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)

function(tessaly_neutral_library name)
    add_library(${name} STATIC ${TESSALY_NEUTRAL_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()
