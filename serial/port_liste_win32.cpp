// The serial ports Windows knows: the ports class of the device manager
// with the names it shows there, and the registry's list of serial ports,
// which also has ports without a device entry (virtual port pairs, Wine).
#include "serial/port_liste.h"
#include "serial/port_win32.h"
#include "platform/breit.h"

#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <map>

namespace qzl {

namespace {

// A registry string value, without the terminating zeros.
std::wstring registerText(HKEY schluessel, const wchar_t* name) {
    wchar_t puffer[256] = {};
    DWORD typ = 0, groesse = sizeof puffer - sizeof(wchar_t);
    if (::RegQueryValueExW(schluessel, name, nullptr, &typ, reinterpret_cast<BYTE*>(puffer), &groesse) !=
            ERROR_SUCCESS ||
        typ != REG_SZ)
        return {};
    return puffer;
}

// 5 for "COM5"; 0 for a name that is no COM port (LPT1, a modem) or whose
// number has more digits than Windows gives (COM1 to COM256).
int comNummer(const std::string& name) {
    if (name.size() < 4 || name.size() > 6 || name.compare(0, 3, "COM") != 0) return 0;
    if (!std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
    return std::stoi(name.substr(3));
}

// "USB-SERIAL CH340 (COM5)" is shown as "USB-SERIAL CH340": the port
// stands in front already.
std::string ohneComZusatz(std::string name, const std::string& port) {
    const std::string zusatz = " (" + port + ")";
    if (name.size() > zusatz.size() && name.compare(name.size() - zusatz.size(), zusatz.size(), zusatz) == 0)
        name.resize(name.size() - zusatz.size());
    return name;
}

void ausGeraeteManager(std::map<int, SeriellerFund>& funde) {
    const HDEVINFO satz = ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (satz == INVALID_HANDLE_VALUE) return;
    SP_DEVINFO_DATA info{};
    info.cbSize = sizeof info;
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(satz, i, &info); ++i) {
        const HKEY schluessel = ::SetupDiOpenDevRegKey(satz, &info, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (schluessel == INVALID_HANDLE_VALUE) continue;
        const std::string port = utf8(registerText(schluessel, L"PortName"));
        ::RegCloseKey(schluessel);
        const int n = comNummer(port);
        if (n == 0) continue;
        wchar_t name[256] = {};
        std::string anzeige;
        if (::SetupDiGetDeviceRegistryPropertyW(satz, &info, SPDRP_FRIENDLYNAME, nullptr, reinterpret_cast<BYTE*>(name),
                                                sizeof name - sizeof(wchar_t), nullptr))
            anzeige = ohneComZusatz(utf8(name), port);
        funde[n] = {port, {}, anzeige};
    }
    ::SetupDiDestroyDeviceInfoList(satz);
}

void ausGeraetezuordnung(std::map<int, SeriellerFund>& funde) {
    HKEY schluessel{};
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &schluessel) !=
        ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD laenge = 256;
        if (::RegEnumValueW(schluessel, i, name, &laenge, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const std::string port = utf8(registerText(schluessel, name));
        if (const int n = comNummer(port); n > 0 && !funde.count(n)) funde[n] = {port, {}, {}};
    }
    ::RegCloseKey(schluessel);
}

}  // namespace

std::vector<SeriellerFund> serielleGeraeteSuchen(const std::string&, const std::string&) {
    std::map<int, SeriellerFund> funde;  // COM2 before COM10
    ausGeraeteManager(funde);
    ausGeraetezuordnung(funde);
    std::vector<SeriellerFund> liste;
    for (auto& [n, fund] : funde) liste.push_back(std::move(fund));
    return liste;
}

// Windows cannot tell whether a port is free without opening it; it is
// closed again at once.
Pruefung zugangPruefen(const std::string& pfad) {
    Pruefung p;
    const HANDLE h = ::CreateFileW(win32GeraetePfad(pfad).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        switch (::GetLastError()) {
            case ERROR_ACCESS_DENIED: case ERROR_SHARING_VIOLATION: case ERROR_BUSY:
                p.zugang = Zugang::belegt;
                break;
            case ERROR_FILE_NOT_FOUND: case ERROR_PATH_NOT_FOUND: case ERROR_DEV_NOT_EXIST:
                p.zugang = Zugang::fehlt;
                break;
            default:
                p.zugang = Zugang::keinGeraet;
        }
        return p;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    p.zugang = ::GetCommState(h, &dcb) ? Zugang::frei : Zugang::keinGeraet;
    ::CloseHandle(h);
    return p;
}

}  // namespace qzl
