// Fuzz target: a skin description, read as the skin loader reads it where no
// window is needed, and the text as one colour value.
#include "FuzzReaders.h"
#include "FuzzSupport.h"
#include "skin/SkinDescription.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    return fuzz::AddDefaultFlags(argc, argv, 8192);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::CheckInputSize(size);
    fuzz::ReadDescription({data, size});
    fuzz::Check((skin::ParseColour(fuzz::AsText({data, size})) & ~0xFFFFFF) == 0,
                "a colour read from text has only 24 bits");
    return 0;
}
