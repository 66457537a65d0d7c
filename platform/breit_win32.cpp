#include "platform/breit.h"

#include <windows.h>

namespace qzl {

std::wstring breit(std::string_view text) {
    if (text.empty()) return {};
    const int laenge = static_cast<int>(text.size());
    UINT seite = CP_UTF8;
    DWORD streng = MB_ERR_INVALID_CHARS;
    int n = ::MultiByteToWideChar(seite, streng, text.data(), laenge, nullptr, 0);
    if (n <= 0) {
        seite = CP_ACP;
        streng = 0;
        n = ::MultiByteToWideChar(seite, streng, text.data(), laenge, nullptr, 0);
    }
    std::wstring w(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(seite, streng, text.data(), laenge, w.data(), n);
    return w;
}

std::string utf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int laenge = static_cast<int>(text.size());
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), laenge, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, text.data(), laenge, s.data(), n, nullptr, nullptr);
    return s;
}

}  // namespace qzl
