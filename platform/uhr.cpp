#include "platform/uhr.h"

#include <chrono>
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

}  // namespace qzl
