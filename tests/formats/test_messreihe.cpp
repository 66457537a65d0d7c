#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../diagram/bild.h"
#include "formats/konfiguration.h"
#include "handlers/start.h"
#include "formats/messreihe.h"
#include "handlers/einstellungsdateien.h"
#include "handlers/betriebsarten.h"
#include "handlers/messreihen.h"
#include "diagram/kurve.h"
#include "temp_ordner.h"
#include "umgebung.h"

namespace qzl {
namespace {

using test::neueUmgebung;
using test::spaltenInZeile;
using test::textBei;

// Transmission, log, three points from 10 MHz in 10 kHz steps, pair 50/250.
const char* const beispielDatei =
    "Durchgangsmessung QZL7\r\n07.12.2026  07:42:17\r\nlog\r\nKorrekturfaktor1 =50\r\nKorrekturfaktor2 =250\r\n"
    "10000000;120;-50\r\n10010000;330;2\r\n10020000;326;2\r\n";

std::unique_ptr<test::Umgebung> mitWerten(int art, std::vector<int> werte) {
    auto u = neueUmgebung();
    u->st.messart = static_cast<Messart>(art);
    u->st.messzeit = "07.12.2026  07:42:17";
    u->st.messpunkte = static_cast<int>(werte.size());
    for (std::size_t k = 0; k < werte.size(); ++k) u->st.messwerte[k + 1] = werte[k];
    return u;
}

TEST(Messreihe, SpeichernJeArt) {
    EXPECT_EQ(messreiheText(mitWerten(1, {120, 330, 326})->st), beispielDatei);

    // third column of a transmission: (v - 320) / 4, halves to even
    auto u = mitWerten(1, {322, 318, 314, 2147483647});
    EXPECT_NE(messreiheText(u->st).find(";322;0\r\n10010000;318;0\r\n10020000;314;-2\r\n10030000;2147483647;536870832\r\n"),
              std::string::npos);

    u = mitWerten(2, {5, 6});
    u->st.linModus = true;
    for (int j = 1; j <= 7; ++j) {
        u->st.linie[j] = 10 * j;
        u->st.linieText[j] = -j;
    }
    u->st.korrfaktor1[Rlin] = 3;
    u->st.korrfaktor2[Rlin] = 4;
    u->st.startfrequenz = 1000;
    u->st.schrittweite = -10;
    EXPECT_EQ(messreiheText(u->st),
              "Reflexionsmessung QZL7\r\n07.12.2026  07:42:17\r\n10;-1\r\n20;-2\r\n30;-3\r\n40;-4\r\n50;-5\r\n60;-6\r\n"
              "70;-7\r\nlin\r\nKorrekturfaktor1 =3\r\nKorrekturfaktor2 =4\r\n1000;5;5\r\n990;6;6\r\n");
    // A state set from this series writes the same file.
    auto wieder = mitWerten(1, {5, 6});
    wieder->st.messzeit.clear();
    messreiheEinstellen(wieder->st, messreiheAusEinstellungen(u->st));
    EXPECT_EQ(messreiheText(wieder->st), messreiheText(u->st));

    u = mitWerten(3, {9});
    u->st.korrfaktor1[Slog] = 11;
    EXPECT_EQ(messreiheText(u->st), "Spektralmessung QZL7\r\n07.12.2026  07:42:17\r\nlog\r\n"
                                    "Korrekturfaktor1 =11\r\nKorrekturfaktor2 =250\r\n10000000;9;9\r\n");
    for (int art : {4, 5, 6, 0}) EXPECT_EQ(messreiheText(mitWerten(art, {1})->st), "") << art;
}

TEST(Messreihe, FeldZahl) {
    const std::pair<const char*, std::int32_t> faelle[] = {
        {"", 0},     {"  -12abc", -12}, {"+7", 7},         {"x5", 0},         {"1 2", 1},
        {"-", 0},    {"007", 7},        {"4294967297", 1}, {"-2147483648", INT32_MIN},
    };
    for (auto [text, wert] : faelle) EXPECT_EQ(feldZahl(text), wert) << text;
}

TEST(Messreihe, BeispielLaden) {
    auto u = mitWerten(3, {7, 7, 7, 99});
    auto& f = u->fenster;
    const auto reihe = messreiheLesen(beispielDatei);
    ASSERT_TRUE(reihe.has_value());
    f.textSetzen(Element::Label9, "alt");
    reiheZeichnen(u->st, *reihe);
    messreiheZeigen(u->p, *reihe);

    EXPECT_EQ(f.text(Element::Label5), "07.12.2026  07:42:17");
    EXPECT_EQ(f.text(Element::Label7), "10.010.000 Hz");
    EXPECT_EQ(f.text(Element::Label8), "10.000.000 Hz");
    EXPECT_EQ(f.text(Element::Label9), "");  // the maximum's lower neighbour is point 1, never tested
    EXPECT_EQ((std::vector<int>{u->st.messwerte[1], u->st.messwerte[2], u->st.messwerte[3], u->st.messwerte[4]}),
              (std::vector<int>{120, 330, 326, 99}));
    EXPECT_EQ(u->st.messart, Messart::spektrum);

    // scale -80 ... 0, six pixels wide; one frequency line, one tick
    const auto& g = u->st.gitterRaster;
    EXPECT_TRUE(textBei(g, 0, 406, "-80", 0));
    EXPECT_TRUE(textBei(g, 0, 6, "0", 0));
    EXPECT_EQ(spaltenInZeile(g, 360, 0, 25, 60), test::folge(30, 36));
    EXPECT_EQ(test::zeilenInSpalte(g, 31, 0), (std::vector<int>{10, 60, 110, 160, 210, 260, 310, 360, 410}));
    EXPECT_TRUE(textBei(g, 6, 425, "10.000.000 Hz", 0));
    EXPECT_TRUE(test::leer(g, 37, 1, 640, 420));
    // one segment from point 1 to point 2, at columns 31 and 33
    const auto& k = u->st.kurvenRaster;
    EXPECT_EQ(k.at(31, 290), 230);
    EXPECT_EQ(k.at(33, 80), 230);
    EXPECT_EQ(test::zeilenInSpalte(k, 34, 230), std::vector<int>{});
}

TEST(Messreihe, KoepfeUndKurzeDateien) {
    for (const char* kopf : {"Durchgangsmessung QZL7 ", "durchgangsmessung QZL7", "Durchgangsmessung QZL8",
                             "Spektralmessung", ""})
        EXPECT_FALSE(messreiheLesen(std::string(kopf) + "\r\nx\r\nlog\r\n\r\n\r\n1;2;3\r\n")) << kopf;

    auto r = messreiheLesen("Spektralmessung QZL7\r\nx\r\nlin\r\nK1\r\nK2\r\n");
    ASSERT_TRUE(r);
    EXPECT_EQ(std::vector<int>({r->art, r->lin, r->n, r->f1, r->s, r->werte[1], r->werte[2]}),
              std::vector<int>({3, 1, 2, 0, 0, 0, 0}));

    r = messreiheLesen(std::string(beispielDatei) + "\r\n");  // an empty last line is one more point
    EXPECT_EQ(r->n, 4);
    EXPECT_EQ(r->werte[4], 0);
    EXPECT_EQ(r->s, 10000);

    r = messreiheLesen("Durchgangsmessung QZL7\r\nx\r\nlog\r\n\r\n\r\n100;120\r\n300;330\r\n");
    EXPECT_EQ(r->werte[1], 0);  // two fields: no reading
    EXPECT_EQ(r->s, 200);

    std::string lang = "Reflexionsmessung QZL7\r\nx\r\n5;12\r\nabc\r\n77\r\n;\r\n-3;-4;9\r\n\r\n\r\nlin\r\n\r\n\r\n";
    for (int k = 1; k <= 400; ++k) lang += std::to_string(k) + ";" + std::to_string(k) + ";0\r\n";
    r = messreiheLesen(lang);
    EXPECT_EQ(r->linien.hoehe, (std::array<std::int32_t, 8>{0, 5, 0, 0, 0, -3, 0, 0}));
    EXPECT_EQ(r->linien.zehntel, (std::array<std::int32_t, 8>{0, 12, 0, 77, 0, -4, 0, 0}));
    EXPECT_TRUE(r->lin);
    EXPECT_EQ(r->n, 300);
    EXPECT_EQ(r->werte[300], 300);
}

TEST(Messreihe, Bandbreite) {
    struct Fall {
        const char* modus;
        std::vector<int> werte;
        const char *unten, *oben, *breite;
    };
    const Fall faelle[] = {
        // log: inside while above maximum - 30 (370), 6 dB
        {"log", {100, 300, 390, 400, 380, 370, 100}, "1.010 Hz", "1.050 Hz", "40 Hz (6 dB)"},
        {"log", {100, 300, 371, 400, 380, 371, 100}, "", "", ""},  // 371 is inside: the upper search reaches n
        {"log", {100, 390, 390, 400, 380, 300, 100}, "", "", ""},  // lower search reaches point 1
        // lin: inside while above 0.7 x maximum (280)
        {"lin", {100, 250, 390, 400, 380, 280, 100}, "1.010 Hz", "1.050 Hz", "40 Hz (3 dB)"},
        {"lin", {100, 250, 390, 400, 380, 300, 290}, "", "", ""},  // upper search reaches point n
    };
    for (const auto& fall : faelle) {
        std::string text = std::string("Durchgangsmessung QZL7\r\nx\r\n") + fall.modus + "\r\n\r\n\r\n";
        for (std::size_t k = 0; k < fall.werte.size(); ++k)
            text += std::to_string(1000 + 10 * k) + ";" + std::to_string(fall.werte[k]) + ";0\r\n";
        auto u = neueUmgebung();
        const auto reihe = messreiheLesen(text);
        reiheZeichnen(u->st, *reihe);
        messreiheZeigen(u->p, *reihe);
        EXPECT_EQ(u->fenster.text(Element::Label7), "1.030 Hz");
        EXPECT_EQ(u->fenster.text(Element::Label8), "1.000 Hz");
        EXPECT_EQ(u->fenster.text(Element::Label9), fall.unten) << fall.modus << fall.werte[5];
        EXPECT_EQ(u->fenster.text(Element::Label10), fall.oben);
        EXPECT_EQ(u->fenster.text(Element::Label11), fall.breite);
    }
}

TEST(Messreihe, UeberDieDialoge) {
    test::TempOrdner ordner;
    auto u = mitWerten(2, {150, 200, 399, 401, 10});
    u->st.linie[2] = 100;
    u->st.linieText[2] = 12;
    u->st.dezimalzeichen = ',';
    u->fenster.dialogAntworten = {std::nullopt, ordner.datei("a.dat"), "/dev/full"};
    MessreiheSpeichern1Click(u->p);  // cancelled
    EXPECT_EQ(ordner.anzahl(), 0u);
    MessreiheSpeichern1Click(u->p);
#ifndef _WIN32  // Windows has no device that is always full
    MessreiheSpeichern1Click(u->p);
    EXPECT_EQ(u->fenster.fehlerMeldungen, std::vector<std::string>{"Zu wenig Speicherplatz"});
#endif

    auto v = mitWerten(1, {1, 1, 1, 1, 1, 1});
    auto& f = v->fenster;
    v->st.dezimalzeichen = ',';
    ordner.schreiben("leer.dat", "");
    f.dialogAntworten = {std::nullopt, ordner.datei("leer.dat"), ordner.pfad, ordner.datei("a.dat")};
    Messreiheladen1Click(v->p);  // cancelled: still a second of refresh
    EXPECT_TRUE(f.timerLaeuft(Element::Timer1) && f.timerLaeuft(Element::Timer2));
    f.laufendeTimer.clear();
    Messreiheladen1Click(v->p);
    EXPECT_EQ(f.meldungen, std::vector<std::string>{"Keine QZL7-Messdatendatei"});
    EXPECT_TRUE(f.timerLaeuft(Element::Timer1));
    f.laufendeTimer.clear();
    Messreiheladen1Click(v->p);  // a folder opens but cannot be read: the error ends the load
    EXPECT_EQ(f.fehlerMeldungen, std::vector<std::string>{"E/A-Fehler 21"});
    EXPECT_FALSE(f.timerLaeuft(Element::Timer1));
    EXPECT_EQ(v->st.messwerte[1], 1);

    Messreiheladen1Click(v->p);
    EXPECT_EQ(f.text(Element::Label5), "07.12.2026  07:42:17");
    EXPECT_EQ(f.text(Element::Label7), "10.030.000 Hz");
    EXPECT_EQ(f.text(Element::Label8), "10.040.000 Hz");
    EXPECT_EQ(f.text(Element::Label9), "");  // no band in reflection
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(v->st.messwerte[k], u->st.messwerte[k]) << k;
    EXPECT_EQ(v->st.messwerte[6], 1);
    EXPECT_EQ(v->st.linie[2], 0);  // nothing read goes into the settings
    EXPECT_TRUE(f.timerLaeuft(Element::Timer1));
    // the file's reference line 2 at height 100, labelled 1,2
    EXPECT_TRUE(textBei(v->st.gitterRaster, 0, 306, "1,2", 0));
    EXPECT_EQ(spaltenInZeile(v->st.gitterRaster, 310, 0, 25, 60), test::folge(30, 40));
    EXPECT_EQ(v->st.kurvenRaster.at(37, 9), 230);  // point 4 (401) above the top line
}

TEST(Messreihe, GeladeneReiheWirdSoGespeichert) {
    test::TempOrdner ordner;
    // Reflection, lin, lines, factors, heading, 2 points: none of it the settings'.
    const std::string datei = "Reflexionsmessung QZL7\r\nPr\xFC" "fling\r\n1;2\r\n3;4\r\n5;6\r\n7;8\r\n9;10\r\n"
                              "11;12\r\n13;14\r\nlin\r\nKorrekturfaktor1 =7\r\nKorrekturfaktor2 =9\r\n10000000;40;40\r\n10010000;41;41\r\n";
    ordner.schreiben("alt.dat", datei);
    auto u = mitWerten(1, std::vector<int>(280, 5));
    u->st.startfrequenz = 7000000;
    u->fenster.dialogAntworten = {ordner.datei("alt.dat"), ordner.datei("a"), ordner.datei("b"), ordner.datei("c")};
    Messreiheladen1Click(u->p);
    MessreiheSpeichern1Click(u->p);
    EXPECT_EQ(ordner.lesen("a"), datei);
    u->fenster.eingabeAntworten = {"Filter 2"};
    Button11Click(u->p);  // named after loading
    u->st.messwerte[1] = 33;  // as "max" moves the readings
    MessreiheSpeichern1Click(u->p);
    EXPECT_EQ(ordner.lesen("b").substr(0, 37), "Reflexionsmessung QZL7\r\nFilter 2\r\n1;2");
    EXPECT_NE(ordner.lesen("b").find("\r\n10000000;33;33\r\n"), std::string::npos);
    dm_diagramm(u->p);  // the loaded picture ends: the settings' series again
    MessreiheSpeichern1Click(u->p);
    EXPECT_NE(ordner.lesen("c").find("log\r\nKorrekturfaktor1 =50\r\nKorrekturfaktor2 =250\r\n7000000;1;-80\r\n"), std::string::npos);
}

TEST(Messreihe, UeberschriftImZeichensatzDerDatei) {
    const std::tuple<std::string, std::string, std::string> faelle[] = {
        // in the file, as shown, as written again
        {"Pr\xFC" "fling \x80\x9F\x81", "Prüfling €Ÿ\u0081", ""},
        {"Prüfling € ÿ", "Prüfling € ÿ", "Pr\xFC" "fling \x80 \xFF"},
        {"\u0080 ist €", "\u0080 ist €", "\u0080 ist €"},  // U+0080 has no place in Windows-1252
        {"Prüfling \x80", "PrÃ¼fling €", ""},  // one byte no UTF-8: the whole line Windows-1252
        {"50 Ω \xF0\x9F\x93\xA1", "50 Ω \xF0\x9F\x93\xA1", "50 Ω \xF0\x9F\x93\xA1"},  // no place: UTF-8
        {"Ã¼", "Ã¼", "Ã¼"},  // its Windows-1252 bytes would read back as "ü"
        {"\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xE2\x82", "À¯ í\u00A0€ ô\u0090€€ â‚", ""},  // overlong, surrogate, too high, cut
    };
    for (const auto& [inDatei, gezeigt, geschrieben] : faelle) {
        auto u = mitWerten(3, {1});
        u->st.messzeit = messreiheLesen("Spektralmessung QZL7\r\n" + inDatei + "\r\n")->ueberschrift;
        EXPECT_EQ(u->st.messzeit, gezeigt) << inDatei;
        const std::string text = messreiheText(u->st);
        EXPECT_EQ(text.substr(22, text.find("\r\nlog") - 22), geschrieben.empty() ? inDatei : geschrieben);
    }
}

// Root passes every permission test: the check runs as "nobody" then.
void alsNutzer(const std::function<void()>& pruefung) {
    if (::geteuid() != 0) return pruefung();
    const pid_t kind = ::fork();
    if (kind == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(77);
        ::alarm(60);  // a check that hangs ends here, not at the suite's time limit
        pruefung();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = -1;
    ::waitpid(kind, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "no user to drop to";
    EXPECT_EQ(status, 0) << (WIFSIGNALED(status) ? "the user's process hung or crashed"
                                                 : "failures above, from the user's process");
}

TEST(Dateizugriff, GeschuetzteDateienBleiben) {
    enum Tat { start, f2, f3, reiheSpeichern, reiheLaden };
    enum Hindernis { fehlt, keinRecht, nurLesen, ordnerStattDatei, schleife, ordnerNurLesen };
    const std::tuple<Tat, Hindernis, std::string> faelle[] = {
        {start, keinRecht, "Dateizugriff verweigert"}, {start, schleife, "E/A-Fehler 40"},
        {f3, keinRecht, "Dateizugriff verweigert"},    {f3, ordnerStattDatei, "E/A-Fehler 21"},
        {f3, fehlt, "Datei nicht gefunden"},           {reiheLaden, keinRecht, "Dateizugriff verweigert"},
        {reiheLaden, schleife, "E/A-Fehler 40"},       {reiheLaden, fehlt, "Datei nicht gefunden"},
        {f2, nurLesen, "Dateizugriff verweigert"},     {reiheSpeichern, nurLesen, "Dateizugriff verweigert"},
        {f2, ordnerNurLesen, ""},                      {reiheSpeichern, ordnerNurLesen, ""},  // written in place
    };
    alsNutzer([&] {
        for (const auto& [tat, hindernis, fehler] : faelle) {
            SCOPED_TRACE(testing::Message() << "action " << tat << ", obstacle " << hindernis);
            test::TempOrdner ordner;
            const std::string pfad = ordner.datei("qzl7.cfg"), alt = "Startfrequenz    =5\r\n";
            if (hindernis == ordnerStattDatei) ::mkdir(pfad.c_str(), 0755);
            if (hindernis == schleife) (void)::symlink(pfad.c_str(), pfad.c_str());
            const bool vorhanden = hindernis == keinRecht || hindernis == nurLesen || hindernis == ordnerNurLesen;
            if (vorhanden) ordner.schreiben("qzl7.cfg", alt);
            if (vorhanden) ::chmod(pfad.c_str(), hindernis == keinRecht ? 0 : hindernis == nurLesen ? 0444 : 0644);
            if (hindernis == ordnerNurLesen) ::chmod(ordner.pfad.c_str(), 0555);
            auto u = mitWerten(1, {123, 124});
            u->p.geraet.arbeitsordner = ordner.pfad;
            u->fenster.dialogAntworten = {pfad};
            const std::array<void (*)(Programm&), 5> taten{[](Programm& p) { FormCreate(p, {}); }, Speichern1Click,
                                                           ffnen1Click, MessreiheSpeichern1Click, Messreiheladen1Click};
            taten[tat](u->p);
            EXPECT_EQ(u->fenster.fehlerMeldungen, std::vector<std::string>(!fehler.empty(), fehler));
            ::chmod(ordner.pfad.c_str(), 0755);
            ::chmod(pfad.c_str(), 0600);
            EXPECT_EQ(vorhanden ? ordner.lesen("qzl7.cfg") : alt, hindernis != ordnerNurLesen ? alt
                                                                  : tat == f2 ? konfigurationText(u->st) : messreiheText(u->st));
            EXPECT_EQ(ordner.anzahl(), hindernis == fehlt ? 0u : 1u);  // no new file left beside it
            const bool laden = tat == f3 || tat == reiheLaden;  // nothing changes, not even the picture
            EXPECT_TRUE(!laden || (u->st.startfrequenz == 10000000 && u->st.messwerte[1] == 123 &&
                                   !u->fenster.timerLaeuft(Element::Timer1)));
        }
    });
}

}  // namespace
}  // namespace qzl
