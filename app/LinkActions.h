#pragma once
// What the donate picture and the About box's link do when clicked: the
// addresses, and the decision to open a page or to say there is no connection.

#include <optional>
#include <string>

namespace tarvex {

class Prompts;

constexpr const char* kDonateAddress =
    "https://www.paypal.com/cgi-bin/webscr?cmd=_s-xclick&hosted_button_id=TARVEX11DONATE";
constexpr const char* kMakerAddress = "https://tarvex.example.org/";
constexpr const char* kCreditLine = "By : The Tarvex developers";
constexpr const char* kDonateTooltip = "Donate with PayPal - it's fast, free, and secure!";
constexpr const char* kLogoTooltip = "Tentang Tarvex";

// A page for the shell to open: verb, address, no parameters, no folder,
// shown maximised (show command 3).
struct ShellOpen {
    std::string Verb = "open";
    std::string Address;
    std::string Parameters;
    std::string Folder;
    int ShowCommand = 3;
};

// The donate click: without a connection only the message "Internet not
// connected" is shown and nothing is opened.
std::optional<ShellOpen> DonateClick(bool connected, Prompts& prompts);
// The maker's link: opened without a connection test.
ShellOpen MakerLinkClick();

}  // namespace tarvex
