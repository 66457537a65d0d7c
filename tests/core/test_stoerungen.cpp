// A misbehaving instrument and system, through the real serial code against
// the simulator's faults on a pseudo-terminal.
#include <gtest/gtest.h>

#include "core/geraet.h"
#include "core/sweep.h"
#include "sim_verbindung.h"

namespace qzl {
namespace {

using Verbindung = test::SimVerbindung;

// 40 stray bytes behind the third reply: without care every later reading
// would be one of them, then a reply 40 exchanges old.
TEST(Stoerung, StreubytesVerschiebenKeineMesswerte) {
    sim::SimOptionen opt;
    opt.muellNach = 3;
    Verbindung v(opt);
    PortSetzen(v.p);
    std::vector<std::uint16_t> gelesen;
    for (int k = 0; k < 10; ++k) {
        einzelmessung(v.p, 1, 11000000 + k * 100000);
        gelesen.push_back(v.st->rohwert);
    }
    const auto protokoll = v.simulator.protokoll();
    ASSERT_EQ(protokoll.size(), 10u);
    for (std::size_t k = 0; k < 10; ++k) EXPECT_EQ(gelesen[k], protokoll[k].roh) << k;
    EXPECT_TRUE(v.fenster.meldungen.empty());
}

}  // namespace
}  // namespace qzl
