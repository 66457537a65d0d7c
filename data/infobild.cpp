// Makes the info dialog's picture from the program's own drawing code: a
// transmission diagram of a band-pass filter as the program shows it, and
// below it the Smith figure, on a blue ground; written as a 468 x 560
// baseline JPEG with libjpeg.
//   qzl7-infobild OUTPUT.jpg
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

#include "diagram/diagramm.h"
#include "raster/anzeige_bitmap.h"
#include "raster/raster.h"
#include "sim/modell.h"

namespace sim = qzl::sim;

namespace {

constexpr int breite = 468;
constexpr int hoehe = 560;

struct Rgb {
    double r = 0, g = 0, b = 0;
};

struct Bild {
    int b, h;
    std::vector<Rgb> px;
    Bild(int b_, int h_) : b(b_), h(h_), px(static_cast<std::size_t>(b_ * h_)) {}
    Rgb& at(int x, int y) { return px[static_cast<std::size_t>(y * b + x)]; }
    const Rgb& at(int x, int y) const { return px[static_cast<std::size_t>(y * b + x)]; }
};

Bild ausBitmap(const qzl::AnzeigeBitmap& bitmap, int links, int oben, int b, int h) {
    Bild bild(b, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < b; ++x) {
            const std::uint32_t c = bitmap.rgb[static_cast<std::size_t>((oben + y) * qzl::bitmapBreite + links + x)];
            bild.at(x, y) = {double((c >> 16) & 255), double((c >> 8) & 255), double(c & 255)};
        }
    return bild;
}

// Area average, so that the one-pixel lines of the diagram stay visible as
// soft lines instead of dropping out.
Bild verkleinern(const Bild& q, int b, int h) {
    Bild z(b, h);
    const double sx = double(q.b) / b, sy = double(q.h) / h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < b; ++x) {
            Rgb summe;
            double gewicht = 0;
            for (int qy = int(y * sy); qy < std::min(q.h, int(std::ceil((y + 1) * sy))); ++qy)
                for (int qx = int(x * sx); qx < std::min(q.b, int(std::ceil((x + 1) * sx))); ++qx) {
                    const double wx = std::min(qx + 1.0, (x + 1) * sx) - std::max(double(qx), x * sx);
                    const double wy = std::min(qy + 1.0, (y + 1) * sy) - std::max(double(qy), y * sy);
                    const double w = wx * wy;
                    const Rgb& c = q.at(qx, qy);
                    summe.r += w * c.r;
                    summe.g += w * c.g;
                    summe.b += w * c.b;
                    gewicht += w;
                }
            z.at(x, y) = {summe.r / gewicht, summe.g / gewicht, summe.b / gewicht};
        }
    return z;
}

// White of the figure becomes the ground behind it.
void einsetzen(Bild& ziel, const Bild& teil, int links, int oben, bool weissDurchsichtig) {
    for (int y = 0; y < teil.h; ++y)
        for (int x = 0; x < teil.b; ++x) {
            const Rgb& c = teil.at(x, y);
            Rgb& z = ziel.at(links + x, oben + y);
            if (!weissDurchsichtig) {
                z = c;
                continue;
            }
            const double deckung = 1.0 - std::min({c.r, c.g, c.b}) / 255.0;
            const Rgb linie{255, 255, 255};
            z = {z.r + deckung * (linie.r - z.r), z.g + deckung * (linie.g - z.g), z.b + deckung * (linie.b - z.b)};
        }
}

// The band-pass as a sweep of 280 points from 10 MHz in 10 kHz steps shows it,
// drawn point by point like the sweep engine, with a marker at the centre.
void durchgangZeichnen(qzl::InstrumentState& st) {
    st.freqMarken[1] = 11400000;
    qzl::diagrammZeichnen(st);
    const sim::Modell filter;  // 11.4 MHz, 500 kHz wide
    const int n = st.messpunkte;
    std::vector<int> werte(static_cast<std::size_t>(n + 2), 1);
    for (int i = 1; i <= n; ++i) {
        const double f = st.startfrequenz + (i - 1.0) * st.schrittweite;
        werte[static_cast<std::size_t>(i)] = std::max(1, int(std::nearbyint(400 + 5 * sim::pegelDb(filter, f))));
    }
    werte[0] = werte[1];
    const int xU = st.xUrsprung, yB = st.yBasis;
    const auto kurve = static_cast<std::uint8_t>(st.kurvenfarbe.load());
    for (int i = 2; i < n; ++i) {
        const int x = xU + 2 * i;
        const auto w = [&](int k) { return yB - werte[static_cast<std::size_t>(k)]; };
        qzl::messpunktMarke(st.kurvenRaster, xU, yB, i, st.cursorIndex, werte[static_cast<std::size_t>(i)], 255,
                            static_cast<std::uint8_t>(st.cursorfarbe.load()));
        qzl::linieZeichnen(st.kurvenRaster, x - 1, w(i - 1), x + 1, w(i), kurve);
        qzl::linieZeichnen(st.kurvenRaster, x + 1, w(i), x + 3, w(i + 1), kurve);
    }
    qzl::rasterKombinieren(st.anzeigeBitmap, st.gitterRaster, st.kurvenRaster);
}

bool jpegSchreiben(const Bild& bild, const char* pfad) {
    std::FILE* datei = std::fopen(pfad, "wb");
    if (!datei) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr fehler{};
    info.err = jpeg_std_error(&fehler);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, datei);
    info.image_width = static_cast<JDIMENSION>(bild.b);
    info.image_height = static_cast<JDIMENSION>(bild.h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);  // baseline tables
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> zeile(static_cast<std::size_t>(bild.b) * 3);
    for (int y = 0; y < bild.h; ++y) {
        for (int x = 0; x < bild.b; ++x) {
            const Rgb& c = bild.at(x, y);
            for (int k = 0; k < 3; ++k) {
                const double v = k == 0 ? c.r : k == 1 ? c.g : c.b;
                zeile[static_cast<std::size_t>(x * 3 + k)] = static_cast<JSAMPLE>(std::clamp(std::lround(v), 0L, 255L));
            }
        }
        JSAMPROW z = zeile.data();
        jpeg_write_scanlines(&info, &z, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(datei) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: qzl7-infobild OUTPUT.jpg\n", stderr);
        return 2;
    }
    Bild bild(breite, hoehe);
    // A blue ground, lighter towards the bottom.
    for (int y = 0; y < hoehe; ++y)
        for (int x = 0; x < breite; ++x) bild.at(x, y) = {20.0 + y / 14.0, 40.0 + y / 9.0, 90.0 + y / 6.0};

    auto durchgang = std::make_unique<qzl::InstrumentState>();
    durchgang->cursorIndex = 170;
    durchgangZeichnen(*durchgang);
    const Bild diagramm = verkleinern(ausBitmap(durchgang->anzeigeBitmap, 0, 0, qzl::bitmapBreite, qzl::bitmapHoehe),
                                      breite - 16, (breite - 16) * qzl::bitmapHoehe / qzl::bitmapBreite);
    einsetzen(bild, diagramm, 8, 8, false);

    auto smith = std::make_unique<qzl::InstrumentState>();
    smith->messart = qzl::Messart::smith;
    qzl::diagrammZeichnen(*smith);
    qzl::rasterKombinieren(smith->anzeigeBitmap, smith->gitterRaster, smith->kurvenRaster);
    // The figure's outer circle spans 401 pixels around the raster's centre.
    const Bild kreis = verkleinern(ausBitmap(smith->anzeigeBitmap, 118, 38, 405, 405), 196, 196);
    einsetzen(bild, kreis, (breite - 196) / 2, hoehe - 196 - 10, true);

    if (!jpegSchreiben(bild, argv[1])) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
