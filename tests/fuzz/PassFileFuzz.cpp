// Fuzz target: the password file. The bytes are read as a password file, as
// much of it as the program reads (the encoded password found, then
// decoded), and saved as a password and read back, which must give the same
// password.
#include "app/kexBase64.h"
#include "app/kexPassFile.h"
#include "FuzzSupport.h"
#include "ui/core/SysUtils.h"

#include <algorithm>

namespace {

// What the program reads of a password file: the bytes after its head, at
// most PassFileReadSize of them.
std::string_view AfterHead(std::string_view file)
{
    return file.substr(std::min(file.size(), kex::PassFileHeadSize), kex::PassFileReadSize);
}

void ReadAsFile(std::string_view file)
{
    try {
        const std::string encoded = kex::ReadEncodedPassword(AfterHead(file));
        fuzz::Check(encoded.size() <= kex::PassFileMaxEncoded, "the encoded password has its upper bound");
        fuzz::Check(encoded.find(kex::PassFileTerminator) == std::string::npos, "the terminator ends the password");
        kex::DecodeBase64(encoded);
    } catch (const ui::EInOutError&) {
        // A file cut short or damaged is reported as one.
    }
}

// Saving refuses a password whose encoded text would be too long to read
// back; any other is read back as it was.
void SaveAndReadBack(std::string_view password)
{
    const std::string head(kex::PassFileHeadSize, 'M');
    std::uint32_t state = 1;
    const kex::RandomSource random = [&state](std::uint32_t range) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % range;
    };
    const bool fits = (password.size() + 2) / 3 * 4 <= kex::PassFileMaxEncoded;
    std::string file;
    try {
        file = kex::BuildPassFile(head, password, random);
    } catch (const ui::Exception&) {
        fuzz::Check(!fits, "only a password too long to read back is refused");
        return;
    }
    fuzz::Check(fits, "a password too long to read back is refused");
    fuzz::Check(kex::DecodeBase64(kex::ReadEncodedPassword(AfterHead(file))) == password,
                "a saved password reads back");
}

} // namespace

// Long enough for the longest password a file may hold, and beyond.
const std::size_t fuzz::TargetMaxLen = 8192;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    const std::string_view text = fuzz::AsText(input);
    ReadAsFile(text);
    SaveAndReadBack(text);
}
