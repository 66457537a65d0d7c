#pragma once
// The shape of a command line: parts between ';', headers in long and short
// form, quoted strings.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qzl::fern {

// t without the blanks around it.
std::string_view ohneRand(std::string_view t);

// A line of an HTTP request: a request line ("POST / HTTP/1.1") or a Host
// header, in any case. A browser sends such lines to 127.0.0.1 for any web
// page that asks it to, with a body of the page's choosing.
bool webAnfrage(std::string_view zeile);

// The parts of a line between the ';' that stand outside quotes, without
// their outer blanks; blank parts are left out.
std::vector<std::string_view> teileTrennen(std::string_view zeile);

// Printable ASCII, and inside quotes also the bytes of UTF-8 characters.
bool zeichenErlaubt(std::string_view teil);

// wort is the long form of muster or its short form, the upper-case part
// ahead ("FREQuency": FREQ or FREQUENCY), in any case.
bool wortPasst(std::string_view muster, std::string_view wort);

// kopf (without '?') against a header pattern such as
// "[SENSe]:FREQuency:STARt" or "INITiate:[IMMediate]": nodes in brackets
// may be left out, a ':' may lead.
bool kopfPasst(std::string_view muster, std::string_view kopf);

// The same for a pattern whose node may end in '#' ("CALCulate:MARKer#"): the
// word there may carry a numeric suffix (MARK3). Nothing when kopf does not
// match; else the suffix as written, 1 without one (a suffix of more than
// 9 digits counts as INT_MAX: out of any range rather than wrapped).
std::optional<int> kopfSuffix(std::string_view muster, std::string_view kopf);

// The text of a string parameter in '"' or '\'', a doubled quote inside
// standing for one; nothing when it is not one string or not UTF-8.
std::optional<std::string> zeichenketteLesen(std::string_view parameter);
// text in '"', inner '"' doubled, control bytes as blanks: one answer field.
std::string zeichenketteText(std::string_view text);

}  // namespace qzl::fern
