// Writes a password file kex_run.dll for a built tessaly.exe, so that a fresh
// build can be shipped with its initial password.
//
//   kexpass <tessaly.exe> <out kex_run.dll> <password>

#include "app/kexPassFile.h"
#include "app/kexRandom.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw std::runtime_error("cannot read " + path);
    return bytes;
}

// Writes beside the target first, so that a failed write never leaves a
// half-written password file behind.
void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + temporary);
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw std::runtime_error("cannot replace " + path);
    }
}

// The program compares the password's bytes in the system's ANSI code page,
// which this tool cannot know; ASCII is the same in every one of them.
void RequireAscii(std::string_view password)
{
    for (unsigned char c : password)
        if (c >= 0x80)
            throw std::runtime_error("the password must be ASCII (its bytes depend on the code page of "
                                     "the system that runs the program)");
}

std::uint32_t TimeOfDayMs()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms % (24 * 60 * 60 * 1000));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: kexpass <tessaly.exe> <out kex_run.dll> <password>\n");
        return 2;
    }
    try {
        const std::string exePath = argv[1];
        const std::string password = argv[3];
        RequireAscii(password);
        const std::string exe = ReadFileBytes(exePath);
        if (exe.size() < kex::PassFileHeadSize)
            throw std::runtime_error(exePath + " is shorter than " + std::to_string(kex::PassFileHeadSize) + " bytes");
        kex::TRandom random(TimeOfDayMs());
        const std::string file = kex::BuildPassFile(exe, password, [&](std::uint32_t range) { return random.Next(range); });
        WriteFileBytes(argv[2], file);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kexpass: %s\n", e.what());
        return 1;
    }
    return 0;
}
