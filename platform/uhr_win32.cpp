// Date and time of day for the heading, in the short date and long time
// formats the user chose in the regional settings (the C run time's %x and
// %X know only the C locale's).
#include "platform/uhr.h"
#include "platform/breit.h"

#include <windows.h>

namespace qzl {

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

std::tm ortszeit(std::time_t t) {
    std::tm ergebnis{};
    ::localtime_s(&ergebnis, &t);
    return ergebnis;
}

std::tm weltzeit(std::time_t t) {
    std::tm ergebnis{};
    ::gmtime_s(&ergebnis, &t);
    return ergebnis;
}

}  // namespace qzl
