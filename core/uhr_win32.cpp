// Date and time of day for the heading, in the short date and long time
// formats the user chose in the regional settings (the C run time's %x and
// %X know only the C locale's).
#include "core/uhr.h"

#include <windows.h>

namespace qzl {

namespace {

std::string utf8(const wchar_t* text) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string s(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, s.data(), n, nullptr, nullptr);
    s.pop_back();  // the terminating zero
    return s;
}

}  // namespace

std::string SystemUhr::datumText() {
    SYSTEMTIME jetzt{};
    ::GetLocalTime(&jetzt);
    wchar_t puffer[80];
    if (::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &jetzt, nullptr, puffer, 80, nullptr) == 0)
        return {};
    return utf8(puffer);
}

std::string SystemUhr::zeitText() {
    SYSTEMTIME jetzt{};
    ::GetLocalTime(&jetzt);
    wchar_t puffer[80];
    if (::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &jetzt, nullptr, puffer, 80) == 0) return {};
    return utf8(puffer);
}

}  // namespace qzl
