// UTF-8 <-> wide text. wchar_t is UTF-16 on Windows and UTF-32 elsewhere; both
// are handled, so the neutral units convert the same way in the program and in
// the native tests. Ill-formed input becomes U+FFFD.
//
// Platform-neutral.
#pragma once

#include <string>
#include <string_view>

namespace ui {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

} // namespace ui
