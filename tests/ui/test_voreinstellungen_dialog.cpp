// The presets' dialog: each button hands the name and the tick to its
// doing, and the list follows what the doing answers.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include "ui/voreinstellungen_dialog.h"

namespace {

struct Bedienung : qzl::VoreinstellungsBedienung {
    std::vector<std::string> liste{"a", "b"}, rufe;
    std::vector<std::string> namen() override { return liste; }
    std::string speichern(const std::string& n, bool k) override {
        liste.push_back(n);
        return ruf("speichern " + n + (k ? " k" : ""), n);
    }
    std::string laden(const std::string& n) override { return ruf("laden " + n, n); }
    std::string umbenennen(const std::string& n) override { return ruf("umbenennen " + n, "b"); }
    std::string loeschen(const std::string& n) override { return ruf("loeschen " + n, ""); }
    std::string importieren() override { return ruf("importieren", "a"); }
    std::string exportieren(const std::string& n) override { return ruf("exportieren " + n, n); }
    std::string ruf(const std::string& r, const std::string& danach) {
        rufe.push_back(r);
        return danach;
    }
};

TEST(VoreinstellungenDialog, KnoepfeGebenNamenUndHakenWeiter) {
    Bedienung b;
    qzl::ui::VoreinstellungenDialog dlg(b);
    EXPECT_EQ(dlg.windowTitle(), "Voreinstellungen");
    auto* liste = dlg.findChild<QListWidget*>("Liste");
    auto* name = dlg.findChild<QLineEdit*>("Name");
    const auto knopf = [&](const char* n) { dlg.findChild<QPushButton*>(n)->click(); };
    ASSERT_TRUE(liste && name);
    EXPECT_EQ(liste->count(), 2);
    liste->setCurrentRow(1);
    EXPECT_EQ(name->text(), "b");
    knopf("Laden");
    name->setText("neu");
    dlg.findChild<QCheckBox*>("MitKalibrierung")->setChecked(true);
    knopf("Speichern");
    EXPECT_EQ(liste->count(), 3);
    EXPECT_EQ(liste->currentItem()->text(), "neu");
    for (const char* n : {"Umbenennen", "Exportieren", "Loeschen", "Importieren"}) knopf(n);
    EXPECT_EQ(b.rufe, (std::vector<std::string>{"laden b", "speichern neu k", "umbenennen neu", "exportieren b",
                                                "loeschen b", "importieren"}));
    EXPECT_EQ(name->text(), "a");
}

}  // namespace
