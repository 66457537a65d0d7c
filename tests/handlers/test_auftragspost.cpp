// Work handed from another thread to the window's thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "handlers/auftragspost.h"
#include "fakes.h"

namespace qzl {
namespace {

TEST(Auftragspost, AuftragLaeuftAufDemFensterThreadUndWirdAbgewartet) {
    Auftragspost post;
    test::FakeFenster fenster;
    std::atomic<int> geweckt{0};
    post.weckerSetzen([&] { ++geweckt; });
    std::atomic<bool> gelaufen{false}, zurueck{false}, gelaufenBeiRueckkehr{false}, ergebnis{false};
    std::thread sweep([&] {
        ergebnis = post.ausfuehren([&](Fenster& f) {
            f.textSetzen(Element::Label1, "x");
            gelaufen = true;
        });
        gelaufenBeiRueckkehr = gelaufen.load();
        zurueck = true;
    });
    post.warten([] { return false; });  // returns once the work is waiting
    // The poster must still be waiting; give a wrong early return the chance to show.
    for (int i = 0; i < 50 && !zurueck; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(zurueck);
    post.abarbeiten(fenster);
    sweep.join();
    EXPECT_TRUE(ergebnis);
    EXPECT_TRUE(gelaufenBeiRueckkehr);
    EXPECT_EQ(fenster.text(Element::Label1), "x");
    EXPECT_EQ(geweckt, 1);

    // Once cancelled, work is refused without running.
    post.abbrechen();
    bool lief = false;
    EXPECT_FALSE(post.ausfuehren([&](Fenster&) { lief = true; }));
    EXPECT_FALSE(lief);
    post.abarbeiten(fenster);
    EXPECT_FALSE(lief);
}

}  // namespace
}  // namespace qzl
