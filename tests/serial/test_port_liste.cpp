// Finding the serial devices on a made-up device tree, and the lines of
// `qzl7 --list-ports`.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "serial/port_liste.h"

namespace qzl {
namespace {

namespace fs = std::filesystem;

struct Baum {
    fs::path wurzel;
    Baum() {
        char muster[] = "/tmp/qzl7-ports-XXXXXX";
        wurzel = fs::canonical(::mkdtemp(muster));
    }
    ~Baum() { fs::remove_all(wurzel); }
    void datei(const std::string& pfad, const std::string& inhalt = "") {
        fs::create_directories((wurzel / pfad).parent_path());
        std::ofstream(wurzel / pfad) << inhalt;
    }
    void link(const std::string& pfad, const std::string& ziel) {
        fs::create_directories((wurzel / pfad).parent_path());
        fs::create_symlink(ziel, wurzel / pfad);
    }
};

TEST(PortListe, FindetGeraeteInIhrerOrdnung) {
    Baum b;
    for (const char* n : {"ttyUSB10", "ttyUSB9", "ttyUSB0", "ttyACM0", "ttyS0", "ttyS1", "ttyS2", "ttyUSBx", "tty5",
                          "ttyS"})
        b.datei(std::string("dev/") + n);
    b.link("dev/serial/by-id/usb-B", "../../ttyUSB10");
    b.link("dev/serial/by-id/usb-A", "../../ttyACM0");
    b.link("dev/serial/by-id/usb-C", "../../ttyUSB7");  // unplugged a moment ago
    b.datei("sys/class/tty/ttyS0/type", "4\n");
    b.datei("sys/class/tty/ttyS1/type", "0\n");  // no UART behind it
    b.link("dev/ttyS3", "gone");  // opens with ENOENT: nothing there
    const std::string dev = (b.wurzel / "dev").string();
    const auto funde = serielleGeraeteSuchen(dev, (b.wurzel / "sys").string());

    std::vector<std::string> zeilen;
    for (const auto& f : funde) zeilen.push_back(f.pfad + (f.ziel.empty() ? "" : " -> " + f.ziel));
    const std::vector<std::string> erwartet = {
        dev + "/serial/by-id/usb-A -> " + dev + "/ttyACM0",
        dev + "/serial/by-id/usb-B -> " + dev + "/ttyUSB10",
        dev + "/serial/by-id/usb-C -> ../../ttyUSB7",
        dev + "/ttyUSB0", dev + "/ttyUSB9", dev + "/ttyUSB10", dev + "/ttyACM0", dev + "/ttyS0", dev + "/ttyS2",
    };
    EXPECT_EQ(zeilen, erwartet);
    EXPECT_TRUE(serielleGeraeteSuchen((b.wurzel / "leer").string(), dev).empty());
}

TEST(PortListe, ZeilenMitZugangUndKommandozeile) {
    PortNamen namen;
    namen.ausArgumenten({"--com3=/dev/pts/4", "-c"});
    auto pruefen = [](const std::string& pfad) {
        if (pfad == "COM12") return Pruefung{Zugang::belegt, ""};
        return pfad == "/dev/ttyS0" ? Pruefung{Zugang::keinRecht, "dialout"} : Pruefung{Zugang::frei, ""};
    };
    EXPECT_EQ(portListe({{"/dev/serial/by-id/usb-X", "/dev/ttyUSB0"}, {"/dev/ttyS0", ""}, {"COM12", "", "USB-SERIAL"}},
                        namen, pruefen),
              "/dev/serial/by-id/usb-X -> /dev/ttyUSB0  can be opened\n"
              "/dev/ttyS0  no permission: join group dialout (sudo usermod -aG dialout $USER), then log in again\n"
              "COM12 (USB-SERIAL)  in use by another program\n"
              "COM 3 = /dev/pts/4  can be opened\n");
    EXPECT_EQ(portListe({}, PortNamen{}, pruefen), "no serial devices found\n");
}

TEST(PortListe, ZugangstexteUndPruefung) {
    EXPECT_EQ(zugangText({Zugang::frei, ""}), "can be opened");
    EXPECT_EQ(zugangText({Zugang::fehlt, ""}), "does not exist");
    EXPECT_EQ(zugangText({Zugang::keinGeraet, ""}), "not a serial device");
    EXPECT_EQ(zugangText({Zugang::keinRecht, ""}), "no permission");
    EXPECT_EQ(zugangText({Zugang::keinRecht, "root"}), "no permission");

    const int gegenstelle = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(gegenstelle, 0);
    ASSERT_EQ(::grantpt(gegenstelle), 0);
    ASSERT_EQ(::unlockpt(gegenstelle), 0);
    const std::string pty = ::ptsname(gegenstelle);
    EXPECT_EQ(zugangPruefen(pty).zugang, Zugang::frei);
    EXPECT_EQ(zugangPruefen("/tmp/qzl7-does-not-exist").zugang, Zugang::fehlt);
    Baum b;
    b.datei("datei");
    EXPECT_EQ(zugangPruefen((b.wurzel / "datei").string()).zugang, Zugang::keinGeraet);
    if (::geteuid() != 0) {  // root may open anything
        ASSERT_EQ(::chmod(pty.c_str(), 0), 0);
        EXPECT_EQ(zugangPruefen(pty).zugang, Zugang::keinRecht);
        EXPECT_FALSE(zugangPruefen(pty).gruppe.empty());
    }
    ::close(gegenstelle);
}

}  // namespace
}  // namespace qzl
