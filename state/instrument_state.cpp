#include "state/instrument_state.h"

namespace qzl {

InstrumentState::InstrumentState() {
    startwerteSetzen();
    messart = Messart::durchgang;
    linModus = false;
    zfAktiv = false;
    demoModus = false;
    uebertragungsfehler = false;
    stopAnforderung = false;
    sweepFertig = false;
    rohwert = 0;
    for (auto& m : messwerte) m = 0;
    cursorIndex = 0;
    contBildaufbau = false;
    for (auto& f : freqMarken) f = 0;
    rasterFuellen(kurvenRaster, 255);
    rasterFuellen(gitterRaster, 255);
}

void InstrumentState::startwerteSetzen() {
    versionText = " V7.3 ";
    for (auto& l : linie) l = 0;
    for (auto& t : linieText) t = 10;
    startfrequenz = 10000000;
    schrittweite = 10000;
    endfrequenz = 35000000;
    taktfrequenz = 100000000;
    eichfrequenz = 10000000;
    zwischenfrequenz = 9000000;
    zfBerechnung = 0;
    comport = 2;
    baudrate = 9600;
    messgenauigkeit = 8;
    delay = 1;
    messpunkte = 280;
    for (auto& k : korrfaktor1) k = 50;
    for (auto& k : korrfaktor2) k = 250;
    hintergrundfarbe = 255;
    diagrammfarbe = 0;
    kurvenfarbe = 230;
    markenfarbe = 150;
    cursorfarbe = 24;
    xUrsprung = 30;
    yBasis = 410;
    xMitte = 320;
    yMitte = 240;
    zfAktiv = false;
    linModus = false;
}

}  // namespace qzl
