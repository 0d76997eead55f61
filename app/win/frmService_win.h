#pragma once
// frmService: the Service dialog, modal to the main window. The service
// (a list of the known ones), its URL, model and key (masked; each service
// has its own, and the box shows the chosen one's), a line on
// what the chosen service needs, and Test, which translates one sample line
// with the values as they stand and shows the answer or the numbered error.
// Enter is OK, Esc is Cancel.

#include <windows.h>

#include <string>

#include "app/WindowSettings.h"
#include "app/win/EmptyDialog_win.h"

namespace tarvex {
class HttpTransport;
}

namespace tarvex::win {

class frmService : public EmptyDialog {
public:
    // `sourceLanguage` and `targetLanguage`: the texts of the main window's
    // language lists, for Test.
    frmService(ServiceChoice choice, std::string sourceLanguage, std::string targetLanguage);

    // Once ShowModal has answered true (closed by OK), the values set.
    const ServiceChoice& Choice() const { return choice_; }

private:
    HWND Start() override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    ServiceChoice ChoiceOnScreen() const;
    void cboService_Click();
    void cmdTest_Click();
    void Finish(bool accepted);

    ServiceChoice choice_;
    // The keys as edited so far, and the service whose key the box shows.
    ServiceChoice edited_;
    std::string keyShownFor_;
    std::string sourceLanguage_, targetLanguage_;
    HWND cboService = nullptr, txtUrl = nullptr, txtModel = nullptr, txtKey = nullptr;
    HWND lblUrl = nullptr, lblModel = nullptr, lblKey = nullptr, lblHint = nullptr;
    HWND cmdTest = nullptr, txtAnswer = nullptr;
    // The Test under way, if any: closing the dialog cuts it short.
    HttpTransport* testing_ = nullptr;
    bool finished_ = false;
};

}  // namespace tarvex::win
