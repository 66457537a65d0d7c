// Draws the program's icon from one description twice: as SVG for the
// scalable slot and as PNGs of the usual sizes, so that the two never differ.
//   qzl7-symbol OUTDIR NAME SIZE...
// writes OUTDIR/scalable/apps/NAME.svg and OUTDIR/SxS/apps/NAME.png.
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Punkt {
    double x, y;
};

// Drawing surface on a 256 x 256 canvas.
class Flaeche {
public:
    virtual ~Flaeche() = default;
    virtual void rechteck(double x, double y, double b, double h, double radius, const char* farbe) = 0;
    virtual void linienzug(const std::vector<Punkt>& punkte, double staerke, const char* farbe) = 0;
};

// The instrument's screen showing a band-pass curve over a grid.
void symbolZeichnen(Flaeche& f) {
    f.rechteck(8, 8, 240, 240, 40, "#24527a");
    f.rechteck(32, 40, 192, 176, 10, "#ffffff");
    for (double x : {80.0, 128.0, 176.0}) f.linienzug({{x, 52}, {x, 204}}, 4, "#b4c0cc");
    for (double y : {90.0, 128.0, 166.0}) f.linienzug({{44, y}, {212, y}}, 4, "#b4c0cc");
    std::vector<Punkt> kurve;
    for (double x = 44; x <= 212; x += 2) {
        const double v = (x - 128) / 15;
        kurve.push_back({x, 196 - 138 / (1 + v * v * v * v)});
    }
    f.linienzug(kurve, 10, "#c02078");
}

class Svg : public Flaeche {
public:
    void rechteck(double x, double y, double b, double h, double radius, const char* farbe) override {
        text_ << "  <rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << b << "\" height=\"" << h << "\" rx=\""
              << radius << "\" fill=\"" << farbe << "\"/>\n";
    }
    void linienzug(const std::vector<Punkt>& punkte, double staerke, const char* farbe) override {
        text_ << "  <polyline fill=\"none\" stroke=\"" << farbe << "\" stroke-width=\"" << staerke
              << "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" points=\"";
        for (std::size_t i = 0; i < punkte.size(); ++i) text_ << (i ? " " : "") << punkte[i].x << "," << punkte[i].y;
        text_ << "\"/>\n";
    }
    std::string fertig() const {
        return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n" +
               text_.str() + "</svg>\n";
    }

private:
    std::ostringstream text_;
};

class Bild : public Flaeche {
public:
    explicit Bild(QImage& bild) : maler_(&bild) {
        maler_.setRenderHint(QPainter::Antialiasing);
        maler_.scale(bild.width() / 256.0, bild.height() / 256.0);
    }
    void rechteck(double x, double y, double b, double h, double radius, const char* farbe) override {
        QPainterPath pfad;
        pfad.addRoundedRect(QRectF(x, y, b, h), radius, radius);
        maler_.fillPath(pfad, QColor(farbe));
    }
    void linienzug(const std::vector<Punkt>& punkte, double staerke, const char* farbe) override {
        QPolygonF zug;
        for (const auto& p : punkte) zug << QPointF(p.x, p.y);
        maler_.setPen(QPen(QColor(farbe), staerke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        maler_.drawPolyline(zug);
    }

private:
    QPainter maler_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: qzl7-symbol OUTDIR NAME SIZE...\n", stderr);
        return 2;
    }
    const std::filesystem::path ziel = argv[1];
    const std::string name = argv[2];

    Svg svg;
    symbolZeichnen(svg);
    std::filesystem::create_directories(ziel / "scalable" / "apps");
    std::ofstream(ziel / "scalable" / "apps" / (name + ".svg")) << svg.fertig();

    for (int i = 3; i < argc; ++i) {
        const int groesse = std::stoi(argv[i]);
        QImage bild(groesse, groesse, QImage::Format_ARGB32_Premultiplied);
        bild.fill(Qt::transparent);
        {
            Bild flaeche(bild);
            symbolZeichnen(flaeche);
        }
        const std::string ordner = std::to_string(groesse) + "x" + std::to_string(groesse);
        std::filesystem::create_directories(ziel / ordner / "apps");
        const auto datei = ziel / ordner / "apps" / (name + ".png");
        if (!bild.save(QString::fromStdString(datei.string()), "PNG")) {
            std::fprintf(stderr, "qzl7-symbol: cannot write %s\n", datei.c_str());
            return 1;
        }
    }
    return 0;
}
