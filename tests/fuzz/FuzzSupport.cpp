#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fuzz {

namespace {

bool fuzzing = true;

// libFuzzer cuts a file named on the command line to -max_len, so the limit
// is only given when the inputs are corpus folders.
bool NamesFiles(const std::vector<char*>& args)
{
    return std::any_of(args.begin() + 1, args.end(), [](const char* arg) {
        std::error_code error;
        return arg[0] != '-' && std::filesystem::is_regular_file(arg, error);
    });
}

void AddDefaultFlags(int* argc, char*** argv)
{
    // libFuzzer reads the arguments after LLVMFuzzerInitialize returns and
    // keeps pointers into them, so they live as long as the process.
    static std::string maxLen = "-max_len=" + std::to_string(TargetMaxLen);
    static std::vector<char*> args;
    static char mallocLimit[] = "-malloc_limit_mb=256";
    static char rssLimit[] = "-rss_limit_mb=1024";
    static char timeout[] = "-timeout=60";
    args.assign(*argv, *argv + *argc);
    fuzzing = !NamesFiles(args);
    if (fuzzing)
        args.insert(args.begin() + 1, maxLen.data());
    args.insert(args.begin() + 1, {mallocLimit, rssLimit, timeout});
    args.push_back(nullptr);
    *argc = static_cast<int>(args.size() - 1);
    *argv = args.data();
}

} // namespace

bool Fuzzing()
{
    return fuzzing;
}

void Fail(const std::string& what)
{
    std::fprintf(stderr, "fuzz target: broken promise: %s\n", what.c_str());
    std::abort();
}

} // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::AddDefaultFlags(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Check(size <= fuzz::MaxInput, "the input fits the target's limit of 1 MiB");
    fuzz::TestOneInput({data, size});
    return 0;
}
