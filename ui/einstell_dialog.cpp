#include "ui/einstell_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace qzl::ui {

namespace {

constexpr int zeilenOben[anzahlLinien] = {40, 72, 104, 136, 168, 200, 232};
constexpr const char* zeilenLabel[anzahlLinien] = {"Label3", "Label4", "Label5", "Label1", "Label6", "Label7", "Label8"};

QString q(const char* utf8) { return QString::fromUtf8(utf8); }
QString q(const std::string& utf8) { return QString::fromStdString(utf8); }
std::string s(const QLineEdit* feld) { return feld->text().toStdString(); }

void auswaehlen(QButtonGroup* gruppe, int index) {
    // An exclusive group cannot lose its selection by a click, only like this.
    gruppe->setExclusive(false);
    for (auto* knopf : gruppe->buttons()) knopf->setChecked(gruppe->id(knopf) == index);
    gruppe->setExclusive(true);
}

}  // namespace

EinstellDialog::EinstellDialog(const InstrumentState& st, QWidget* eltern)
    : FesterDialog("TEin", "Einstellungen", {496, 368}, eltern), st_(st) {

    ports_ = radioGruppe("RadioGroup1", "COM", {32, 24, 81, 121}, {"Com 1", "Com 2", "Com3", "Com4"}, false);
    bauds_ = radioGruppe("RadioGroup2", "Baudrate", {144, 24, 97, 121},
                         {"  9600 Bit/s", "19200 Bit/s", "38400 Bit/s", "57600 Bit/s"}, false);
    genauigkeit_ = radioGruppe("RadioGroup3", "Messgenauigkeit", {32, 304, 209, 49}, {"8 Bit", "10 Bit"}, true);

    const struct {
        const char* label;
        const char* text;
        const char* edit;
        int oben, breite;
        QLineEdit** ziel;
    } werte[] = {
        {"Label9", "Taktfrequenz", "Edit8", 168, 89, &takt_}, {"Label10", "Eichfrequenz", "Edit9", 192, 89, &eich_},
        {"Label11", "Fmax", "Edit10", 216, 89, &fmax_},       {"Label2", "Delay", "Edit11", 240, 41, &delay_},
        {"Label12", "Messpunkte", "Edit12", 264, 41, &punkte_},
    };
    auto beschriftung = [this](const char* name, const char* text, int links, int oben) {
        auto* l = new QLabel(q(text), this);
        l->setObjectName(q(name));
        l->move(links, oben);
        l->adjustSize();
    };
    for (const auto& w : werte) {
        beschriftung(w.label, w.text, 32, w.oben);
        *w.ziel = feld(w.edit, 144, w.oben, w.breite);
    }

    beschriftung("Label13", "Text", 368, 8);
    beschriftung("Label14", "Lage", 424, 8);
    for (int j = 0; j < anzahlLinien; ++j) {
        const auto i = static_cast<std::size_t>(j);
        beschriftung(zeilenLabel[j], ("Linie " + std::to_string(j + 1)).c_str(), 304, zeilenOben[j]);
        textFelder_[i] = feld(("Edit" + std::to_string(j + 1)).c_str(), 368, zeilenOben[j], 33);
        lageFelder_[i] = feld(("Edit" + std::to_string(j + 13)).c_str(), 424, zeilenOben[j], 33);
    }

    cont_ = new QCheckBox(this);
    cont_->setObjectName(QStringLiteral("CheckBox1"));
    cont_->setGeometry(368, 272, 17, 17);
    beschriftung("Label15", "cont. Bildaufbau", 392, 272);

    abbrechen_ = new QPushButton(QStringLiteral("&Cancel"), this);
    abbrechen_->setObjectName(QStringLiteral("Button2"));
    abbrechen_->setGeometry(272, 328, 97, 25);
    connect(abbrechen_, &QPushButton::clicked, this, &QDialog::reject);
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    ok_->setObjectName(QStringLiteral("Button1"));
    ok_->setGeometry(384, 328, 81, 25);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] {
        werte_ = gelesen();
        accept();
    });
    // Without a port the device could never answer: "&OK" waits for a choice.
    connect(ports_, &QButtonGroup::idClicked, ok_, [this] { ok_->setEnabled(true); });

    tabFolge();
}

QLineEdit* EinstellDialog::feld(const char* name, int links, int oben, int breite) {
    auto* f = new QLineEdit(this);
    f->setObjectName(q(name));
    f->setGeometry(links, oben, breite, 21);
    return f;
}

QButtonGroup* EinstellDialog::radioGruppe(const char* name, const char* titel, QRect ort,
                                          std::initializer_list<const char*> punkte, bool zweiSpalten) {
    auto* kasten = new QGroupBox(q(titel), this);
    kasten->setObjectName(q(name));
    kasten->setGeometry(ort);
    auto* raster = new QGridLayout(kasten);
    raster->setContentsMargins(6, 2, 2, 2);
    raster->setSpacing(0);
    auto* gruppe = new QButtonGroup(kasten);
    int i = 0;
    for (const char* text : punkte) {
        auto* knopf = new QRadioButton(q(text), kasten);
        knopf->setObjectName(q(name) + QLatin1Char('_') + QString::number(i));
        gruppe->addButton(knopf, i);
        raster->addWidget(knopf, zweiSpalten ? 0 : i, zweiSpalten ? i : 0);
        ++i;
    }
    return gruppe;
}

void EinstellDialog::tabFolge() {
    std::vector<QWidget*> folge{ok_};
    for (auto* f : textFelder_) folge.push_back(f);
    for (auto* knopf : ports_->buttons()) folge.push_back(knopf);
    for (auto* knopf : bauds_->buttons()) folge.push_back(knopf);
    folge.push_back(abbrechen_);
    for (auto* f : {takt_, eich_, fmax_, delay_, punkte_}) folge.push_back(f);
    for (auto* knopf : genauigkeit_->buttons()) folge.push_back(knopf);
    for (auto* f : lageFelder_) folge.push_back(f);
    folge.push_back(cont_);
    QWidget* vorher = nullptr;
    for (QWidget* w : folge) {
        if (vorher) setTabOrder(vorher, w);
        vorher = w;
    }
}

bool EinstellDialog::event(QEvent* e) {
    if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate) fuellen();
    return FesterDialog::event(e);
}

void EinstellDialog::fuellen() {
    const EinstellWerte w = einstellWerte(st_);
    cont_->setChecked(w.contBildaufbau);
    for (std::size_t i = 0; i < textFelder_.size(); ++i) textFelder_[i]->setText(q(w.linieText[i]));
    for (std::size_t i = 0; i < lageFelder_.size(); ++i) lageFelder_[i]->setText(q(w.linie[i]));
    takt_->setText(q(w.taktfrequenz));
    eich_->setText(q(w.eichfrequenz));
    fmax_->setText(q(w.endfrequenz));
    delay_->setText(q(w.delay));
    punkte_->setText(q(w.messpunkte));
    auswaehlen(ports_, w.comport);
    auswaehlen(bauds_, w.baudrate);
    auswaehlen(genauigkeit_, w.messgenauigkeit);
    ok_->setEnabled(w.comport >= 0);
}

EinstellWerte EinstellDialog::gelesen() const {
    EinstellWerte w;
    w.contBildaufbau = cont_->isChecked();
    for (std::size_t i = 0; i < textFelder_.size(); ++i) w.linieText[i] = s(textFelder_[i]);
    for (std::size_t i = 0; i < lageFelder_.size(); ++i) w.linie[i] = s(lageFelder_[i]);
    w.taktfrequenz = s(takt_);
    w.eichfrequenz = s(eich_);
    w.endfrequenz = s(fmax_);
    w.delay = s(delay_);
    w.messpunkte = s(punkte_);
    w.comport = ports_->checkedId();
    w.baudrate = bauds_->checkedId();
    w.messgenauigkeit = genauigkeit_->checkedId();
    return w;
}

std::optional<EinstellWerte> EinstellDialog::zeigen() {
    werte_.reset();
    exec();
    return werte_;
}

}  // namespace qzl::ui
