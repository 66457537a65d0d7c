// Date and time of day for the heading, in the user's formats.
#include "platform/uhr.h"

#include <ctime>

namespace qzl {

namespace {
// %x and %X follow the LC_TIME locale the application set from the user's.
std::string jetztFormatiert(const char* format) {
    const std::time_t t = std::time(nullptr);
    const std::tm lokal = ortszeit(t);
    char puffer[64];
    const std::size_t n = std::strftime(puffer, sizeof puffer, format, &lokal);
    return std::string(puffer, n);
}
}  // namespace

std::string SystemUhr::datumText() { return jetztFormatiert("%x"); }
std::string SystemUhr::zeitText() { return jetztFormatiert("%X"); }

std::tm ortszeit(std::time_t t) {
    std::tm ergebnis{};
    ::localtime_r(&t, &ergebnis);
    return ergebnis;
}

std::tm weltzeit(std::time_t t) {
    std::tm ergebnis{};
    ::gmtime_r(&t, &ergebnis);
    return ergebnis;
}

}  // namespace qzl
