#include "core/uhr.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace qzl {

std::int64_t SystemUhr::monotonMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::uint32_t SystemUhr::tickMs() { return static_cast<std::uint32_t>(monotonMs()); }

void SystemUhr::schlafenMs(std::int64_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {
// %x and %X follow the LC_TIME locale the application set from the user's.
std::string jetztFormatiert(const char* format) {
    const std::time_t t = std::time(nullptr);
    std::tm lokal{};
    localtime_r(&t, &lokal);
    char puffer[64];
    const std::size_t n = std::strftime(puffer, sizeof puffer, format, &lokal);
    return std::string(puffer, n);
}
}  // namespace

std::string SystemUhr::datumText() { return jetztFormatiert("%x"); }
std::string SystemUhr::zeitText() { return jetztFormatiert("%X"); }

}  // namespace qzl
