#include "app/kexPassFile.h"

#include "app/kexBase64.h"
#include "ui/core/SysUtils.h"

namespace kex {

std::string BuildPassFile(std::string_view exeBytes, std::string_view password,
                          const RandomSource& random)
{
    if (exeBytes.size() < PassFileHeadSize)
        throw ui::EInOutError(ui::SReadBeyondEnd);
    const std::string encoded = EncodeBase64(password);
    if (encoded.size() > PassFileMaxEncoded)
        throw ui::Exception(SPasswordTooLong);
    std::string file(exeBytes.substr(0, PassFileHeadSize));
    file += encoded;
    file += PassFileTerminator;
    const std::uint32_t tailLength = PassFileTailMin + random(PassFileTailSpan);
    for (std::uint32_t i = 0; i < tailLength; ++i)
        file += static_cast<char>(random(PassFileByteSpan));
    return file;
}

std::string ReadEncodedPassword(std::string_view afterHead)
{
    const std::string_view searched = afterHead.substr(0, PassFileReadSize);
    const std::size_t tab = searched.find(PassFileTerminator);
    if (tab != std::string_view::npos)
        return std::string(searched.substr(0, tab));
    // Reading the first byte after the head, and the one after a first
    // byte that is no tab, passes the end of a file that has no more.
    if (searched.size() <= 1)
        throw ui::EInOutError(ui::SReadBeyondEnd);
    throw ui::EInOutError(SPassFileDamaged);
}

} // namespace kex
