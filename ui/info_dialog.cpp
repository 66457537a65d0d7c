#include "ui/info_dialog.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>

#include "ui/jpeg_lesen.h"

namespace qzl::ui {

namespace {

const char* const notiz =
    "Quarzolin 7 ist ein\n"
    "Netzwerkanalysator für\n"
    "Funkamateure: DDS-\n"
    "Generator, Detektor und\n"
    "8- oder 10-Bit-Wandler an\n"
    "der seriellen Schnittstelle.\n"
    "Er misst Durchgang,\n"
    "Reflexion und Spektrum\n"
    "und arbeitet als VFO.\n"
    "Ohne Gerät zeigt das\n"
    "Programm eine Demo.";

// Decoded by libjpeg rather than an image plugin, so the picture does not
// depend on how Qt was built. A missing or broken file leaves the space empty.
QPixmap bildLaden(const QString& pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = datei.readAll();
    const auto bild = jpegLesen({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                 static_cast<std::size_t>(bytes.size())});
    if (!bild) return {};
    const QImage qbild(bild->pixel.data(), bild->breite, bild->hoehe, bild->breite * 3, QImage::Format_RGB888);
    return QPixmap::fromImage(qbild.copy());
}

}  // namespace

InfoDialog::InfoDialog(const std::string& versionText, const QString& bildPfad, QWidget* eltern)
    : FesterDialog("Tinfo", "Info", {702, 570}, eltern) {

    auto* bild = new QLabel(this);
    bild->setObjectName(QStringLiteral("Image1"));
    bild->setGeometry(16, 8, 473, 569);
    bild->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bild->setPixmap(bildLaden(bildPfad));

    auto* titel = new QLabel(this);
    titel->setObjectName(QStringLiteral("Label1"));
    titel->setTextFormat(Qt::PlainText);
    QFont fett = titel->font();
    fett.setBold(true);
    fett.setPixelSize(16);
    titel->setFont(fett);
    QPalette farben = titel->palette();
    farben.setColor(QPalette::WindowText, Qt::black);
    titel->setPalette(farben);
    titel->setText(QStringLiteral("Quarzolin ") + QString::fromStdString(versionText));
    titel->move(504, 24);
    titel->adjustSize();

    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setGeometry(504, 56, 185, 153);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->document()->setDocumentMargin(2);
    memo->setPlainText(QString::fromUtf8(notiz));
    // Qt knows no desktop colour; the note sits on the dialog's own background.
    QPalette hinten = memo->palette();
    hinten.setColor(QPalette::Base, palette().color(QPalette::Window));
    memo->setPalette(hinten);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(536, 520, 121, 33);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace qzl::ui
