#pragma once
// A journey is a coroutine on the window's thread: it gives an input, then
// waits for what a user would wait for (a box, a label, a picture) with
// co_await bis(...). It is resumed from a timer, so it goes on inside
// whatever modal loop the program is in, as a user keeps acting while a box
// is up. Steps shared by journeys are journeys of their own and are
// co_awaited. A wait that times out breaks the journey off with a failure,
// and modal windows left open are closed so that the program can unwind.
#include <coroutine>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

namespace qzl::reise {

struct Abbruch : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// While this holds, the program is inside a wait that takes no input ("Sto&p"
// waiting for the pass, painting meanwhile): the journey's next step waits
// too, as a user's clicks would, instead of running inside the handler.
inline std::function<bool()> programmBeschaeftigt;

class Reise {
public:
    struct promise_type {
        std::exception_ptr fehler;
        std::coroutine_handle<> fortsetzung;  // the journey that awaits this one

        Reise get_return_object() { return Reise(std::coroutine_handle<promise_type>::from_promise(*this)); }
        std::suspend_always initial_suspend() noexcept { return {}; }
        struct Ende {
            bool await_ready() noexcept { return false; }
            std::coroutine_handle<> await_suspend(std::coroutine_handle<promise_type> h) noexcept {
                const auto weiter = h.promise().fortsetzung;
                return weiter ? weiter : std::noop_coroutine();
            }
            void await_resume() noexcept {}
        };
        Ende final_suspend() noexcept { return {}; }
        void return_void() {}
        void unhandled_exception() { fehler = std::current_exception(); }
    };

    explicit Reise(std::coroutine_handle<promise_type> h) : h_(h) {}
    Reise(Reise&& r) noexcept : h_(std::exchange(r.h_, {})) {}
    Reise(const Reise&) = delete;
    ~Reise() {
        if (h_) h_.destroy();
    }

    // A step inside another journey.
    bool await_ready() const { return false; }
    std::coroutine_handle<> await_suspend(std::coroutine_handle<> eltern) {
        h_.promise().fortsetzung = eltern;
        return h_;
    }
    void await_resume() const {
        if (h_.promise().fehler) std::rethrow_exception(h_.promise().fehler);
    }

    // Runs a whole journey from the test; false after a failure (reported).
    bool ablaufen(int gesamtMs = 180000);

private:
    std::coroutine_handle<promise_type> h_;
};

// What a journey awaits: the condition registered by bis().
struct Warte {
    bool await_ready() const { return false; }  // the program always gets a turn first
    void await_suspend(std::coroutine_handle<> h) const;
    void await_resume() const;
};

void wartenAuf(std::function<bool()> bedingung, std::string worauf, int fristMs);

// co_await bis(condition, "what"): resumes once the condition holds, breaks
// the journey off after fristMs. GCC 12 destroys temporaries of a co_await
// expression twice when they own anything, so conditions capture only
// references, pointers and numbers.
template <class Bedingung>
Warte bis(Bedingung bedingung, std::string worauf, int fristMs = 20000) {
    static_assert(std::is_trivially_destructible_v<Bedingung>, "capture by reference or pointer only");
    wartenAuf(bedingung, std::move(worauf), fristMs);
    return {};
}

// Fails the journey at once when a precondition of its next steps is false.
inline void voraus(bool bedingung, const std::string& was) {
    if (!bedingung) throw Abbruch("precondition failed: " + was);
}

}  // namespace qzl::reise
