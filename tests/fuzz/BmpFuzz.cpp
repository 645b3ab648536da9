// Fuzz target: a BMP file as the picture reader takes it from a skin package
// or a form: its headers checked against its size, its pixels decoded.
#include "FuzzReaders.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    return fuzz::AddDefaultFlags(argc, argv, 16384);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::CheckInputSize(size);
    fuzz::DecodeBmp({data, size});
    return 0;
}
