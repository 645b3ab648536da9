#include "app/kexPassFile.h"

#include "app/kexBase64.h"
#include "ui/SysUtils.h"

#include <algorithm>

namespace kex {

std::string BuildPassFile(std::string_view exeBytes, std::string_view password,
                          const RandomSource& random)
{
    if (exeBytes.size() < PassFileHeadSize)
        throw ui::EInOutError(ui::SReadBeyondEnd);
    std::string file(exeBytes.substr(0, PassFileHeadSize));
    file += EncodeBase64(password);
    file += PassFileTerminator;
    const std::uint32_t tailLength = PassFileTailMin + random(PassFileTailSpan);
    for (std::uint32_t i = 0; i < tailLength; ++i)
        file += static_cast<char>(random(PassFileByteSpan));
    return file;
}

std::string ReadEncodedPassword(std::string_view fileBytes)
{
    if (fileBytes.size() <= PassFileHeadSize)
        throw ui::EInOutError(ui::SReadBeyondEnd);
    const std::string_view rest = fileBytes.substr(PassFileHeadSize);
    if (rest.front() == PassFileTerminator)
        return {};
    // The first byte is kept and the next one read; when that read finds no
    // more byte the file is cut short.
    if (rest.size() == 1)
        throw ui::EInOutError(ui::SReadBeyondEnd);
    // From the second byte on, reading stops at a tab or at the last byte,
    // and neither is kept.
    const std::size_t end = std::min(rest.find(PassFileTerminator, 1), rest.size() - 1);
    return std::string(rest.substr(0, end));
}

} // namespace kex
