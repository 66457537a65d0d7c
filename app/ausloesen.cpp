#include "app/ausloesen.h"

#include "handlers/dialogaufrufe.h"
#include "handlers/start.h"
#include "handlers/sweep.h"
#include "handlers/ablesung.h"
#include "handlers/einstellungsdateien.h"
#include "handlers/exportieren.h"
#include "handlers/messreihen.h"
#include "handlers/druckseite.h"
#include "handlers/betriebsarten.h"
#include "handlers/frequenzeingabe.h"
#include "handlers/kalibrierung.h"
#include "handlers/messmarken.h"
#include "handlers/quarzanalyse.h"
#include "handlers/voreinstellungen.h"

namespace qzl {

void ausloesen(Programm& p, Element e) {
    using E = Element;
    switch (e) {
        case E::Button5: Button5Click(p); break;
        case E::Button6: Button6Click(p); break;
        case E::Button7:
        case E::Beenden1: Beenden1Click(p); break;
        case E::Timer1: Timer1Timer(p); break;
        case E::Timer2: Timer2Timer(p); break;

        case E::Button8:
        case E::Durchgangsmessung1: Button8Click(p); break;
        case E::Button9:
        case E::Reflexionsmessung1: Button9Click(p); break;
        case E::Button10:
        case E::Spektralmessung1: Button10Click(p); break;
        case E::Button15:
        case E::VFO1: Button15Click(p); break;
        case E::Button11: Button11Click(p); break;
        case E::Button16: Button16Click(p); break;
        case E::Button17: Button17Click(p); break;
        case E::Button18: Button18Click(p); break;

        case E::Button1:
        case E::Frequenz1: Button1Click(p); break;
        case E::Button2:
        case E::Plus1: Button2Click(p); break;
        case E::Button3:
        case E::Minus1: Button3Click(p); break;
        case E::Button4:
        case E::Schrittweite1: Button4Click(p); break;
        case E::ZFEingabe1: ZFEingabe1Click(p); break;
        case E::Zwischenfrequenz1: Zwischenfrequenz1Click(p); break;
        case E::AdditionvsSubtraktion1: AdditionvsSubtraktion1Click(p); break;

        case E::Button12: Button12Click(p); break;
        case E::Button13: Button13Click(p); break;
        case E::Button14: Button14Click(p); break;
        case E::Button19: Button19Click(p); break;

        case E::Speichern1: Speichern1Click(p); break;
        case E::ffnen1: ffnen1Click(p); break;
        case E::MessreiheSpeichern1: MessreiheSpeichern1Click(p); break;
        case E::Exportieren1: Exportieren1Click(p); break;
        case E::Kopieren1: Kopieren1Click(p); break;
        case E::Messreiheladen1: Messreiheladen1Click(p); break;
        case E::Durchgangsmessung2: Durchgangsmessung2Click(p); break;
        case E::Reflexionsmessung2: Reflexionsmessung2Click(p); break;
        case E::Spektralmessung2: Spektralmessung2Click(p); break;
        case E::Linie11: Linie11Click(p); break;
        case E::Linie21: Linie21Click(p); break;
        case E::Linie31: Linie31Click(p); break;
        case E::Linie41: Linie41Click(p); break;
        case E::Linie51: Linie51Click(p); break;
        case E::Linie61: Linie61Click(p); break;
        case E::Linie71: Linie71Click(p); break;
        case E::Taktgenerator1: Taktgenerator1Click(p); break;

        case E::Diagrammdrucken1: Diagrammdrucken1Click(p); break;
        case E::Bandbreite1: Bandbreite1Click(p); break;
        case E::Voreinstellungen1: Voreinstellungen1Click(p); break;
        case E::ber1: ber1Click(p); break;
        case E::Hilfe1: Hilfe1Click(p); break;

        case E::Messmarken1: Messmarken1Click(p); break;
        case E::Referenzuebernehmen1: Referenzuebernehmen1Click(p); break;
        case E::Referenzverwerfen1: Referenzverwerfen1Click(p); break;
        case E::Differenzanzeigen1: Differenzanzeigen1Click(p); break;
        case E::HaltenAus1: haltenWaehlen(p, Halten::aus); break;
        case E::HaltenMaximum1: haltenWaehlen(p, Halten::max); break;
        case E::HaltenMinimum1: haltenWaehlen(p, Halten::min); break;
        case E::HaltenMittelwert1: HaltenMittelwert1Click(p); break;
        case E::ReferenzLaden1: ReferenzLaden1Click(p); break;
        case E::Grenzwerteladen1: Grenzwerteladen1Click(p); break;
        case E::Grenzwerteverwerfen1: Grenzwerteverwerfen1Click(p); break;
        case E::Grenzwertepruefen1: Grenzwertepruefen1Click(p); break;
        case E::Quarzanalysieren1: Quarzanalysieren1Click(p); break;
        // Labels, top-level menus and the file dialogs fire nothing.
        default: break;
    }
}

}  // namespace qzl
