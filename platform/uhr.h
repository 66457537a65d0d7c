#pragma once
// Time as the program uses it, behind an interface so that tests of the
// 4-second limit and of the settle wait run in no time.
#include <cstdint>
#include <ctime>
#include <string>

namespace qzl {

class Uhr {
public:
    virtual ~Uhr() = default;
    // Millisecond tick counter; wraps modulo 2^32.
    virtual std::uint32_t tickMs() = 0;
    // Monotonic milliseconds, for the reply limit.
    virtual std::int64_t monotonMs() = 0;
    // Sleeps instead of spinning while the instrument settles.
    virtual void schlafenMs(std::int64_t ms) = 0;
    // Today's date in the system's short date format, and the time of day in
    // its long time format.
    virtual std::string datumText() = 0;
    virtual std::string zeitText() = 0;
};

class SystemUhr : public Uhr {
public:
    std::uint32_t tickMs() override;
    std::int64_t monotonMs() override;
    void schlafenMs(std::int64_t ms) override;
    std::string datumText() override;
    std::string zeitText() override;
};

// Local and universal broken-down time of t.
std::tm ortszeit(std::time_t t);
std::tm weltzeit(std::time_t t);

}  // namespace qzl
