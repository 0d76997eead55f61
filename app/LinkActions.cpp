#include "app/LinkActions.h"

#include "job/ProgressPanel.h"

namespace tarvex {

std::optional<ShellOpen> DonateClick(bool connected, Prompts& prompts) {
    if (!connected) {
        prompts.ShowMessage("Internet not connected", "Not Connected", MessageIcon::Exclamation);
        return std::nullopt;
    }
    ShellOpen page;
    page.Address = kDonateAddress;
    return page;
}

ShellOpen MakerLinkClick() {
    ShellOpen page;
    page.Address = kMakerAddress;
    return page;
}

}  // namespace tarvex
