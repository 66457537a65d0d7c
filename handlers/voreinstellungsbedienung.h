#pragma once
// What the presets' dialog does, as the dialog sees it: the list of names,
// and buttons whose questions and boxes go through the window. Each button
// answers the name the list should select afterwards ("" for none).
#include <string>
#include <vector>

namespace qzl {

class VoreinstellungsBedienung {
public:
    virtual ~VoreinstellungsBedienung() = default;
    virtual std::vector<std::string> namen() = 0;
    virtual std::string speichern(const std::string& name, bool mitKalibrierung) = 0;
    virtual std::string laden(const std::string& name) = 0;
    virtual std::string umbenennen(const std::string& name) = 0;
    virtual std::string loeschen(const std::string& name) = 0;
    virtual std::string importieren() = 0;
    virtual std::string exportieren(const std::string& name) = 0;
};

}  // namespace qzl
