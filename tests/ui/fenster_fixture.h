#pragma once
#include <QObject>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "ui/haupt_fenster.h"

// A fresh window on a fresh state; records every Element the window fires.
class FensterTest : public ::testing::Test {
protected:
    std::unique_ptr<qzl::InstrumentState> st = std::make_unique<qzl::InstrumentState>();
    std::vector<qzl::Element> ausgeloest;
    std::function<void(qzl::Element)> weiter;  // optional reaction of the "logic"
    qzl::HauptFenster fenster{*st, [this](qzl::Element e) {
                                  ausgeloest.push_back(e);
                                  if (weiter) weiter(e);
                              }};
};
