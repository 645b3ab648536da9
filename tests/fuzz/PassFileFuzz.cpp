// Fuzz target: the password file. The bytes are read as a password file (the
// encoded password found, then decoded), and saved as a password and read
// back, which must give the same password.
#include "FuzzSupport.h"
#include "app/kexBase64.h"
#include "app/kexPassFile.h"
#include "ui/SysUtils.h"

namespace {

void ReadAsFile(std::string_view file)
{
    try {
        const std::string encoded = kex::ReadEncodedPassword(file);
        fuzz::Check(encoded.find(kex::PassFileTerminator) == std::string::npos, "the terminator ends the password");
        kex::DecodeBase64(encoded);
    } catch (const ui::EInOutError&) {
        // A file cut short is reported as one.
    }
}

void SaveAndReadBack(std::string_view password)
{
    const std::string head(kex::PassFileHeadSize, 'M');
    std::uint32_t state = 1;
    const kex::RandomSource random = [&state](std::uint32_t range) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % range;
    };
    std::string file;
    try {
        file = kex::BuildPassFile(head, password, random);
    } catch (const ui::Exception&) {
        // Refused as too long to be read back: the only refusal there is.
        fuzz::Check(kex::EncodeBase64(password).size() > kex::PassFileMaxEncoded, "only a long password is refused");
        return;
    }
    const std::string_view afterHead = std::string_view(file).substr(kex::PassFileHeadSize);
    fuzz::Check(kex::DecodeBase64(kex::ReadEncodedPassword(afterHead)) == password, "a saved password reads back");
}

} // namespace

const std::size_t fuzz::TargetMaxLen = 4096;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    const std::string_view text = fuzz::AsText(input);
    ReadAsFile(text);
    SaveAndReadBack(text);
}
