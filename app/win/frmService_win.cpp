#include "app/win/frmService_win.h"

#include <exception>
#include <new>

#include "app/ServiceFields.h"
#include "app/ServiceTrial.h"
#include "app/win/ControlIds.h"
#include "app/win/EmptyDialog_win.h"
#include "base/RuntimeError.h"
#include "controls/host/WideText_win.h"
#include "translate/http/HttpTransport.h"
#include "translate/http/MessagePump.h"

namespace tarvex::win {

namespace {

constexpr double kServiceClientWidth = 4800;   // twips
constexpr double kServiceClientHeight = 3540;  // twips
constexpr double kLabelLeft = 120, kLabelWidth = 1080;
constexpr double kFieldLeft = 1260, kFieldWidth = 3420;
constexpr double kRowHeight = 285;
// Room for the list below the drop-down, in twips.
constexpr double kListHeight = 1800;
constexpr wchar_t kServiceTitle[] = L"Translation Service";

using host::WindowText;

}  // namespace

frmService::frmService(ServiceChoice choice, std::string sourceLanguage, std::string targetLanguage)
    : EmptyDialog(kServiceTitle, kServiceClientWidth, kServiceClientHeight),
      choice_(std::move(choice)),
      edited_(choice_),
      sourceLanguage_(std::move(sourceLanguage)),
      targetLanguage_(std::move(targetLanguage)) {}

// Created in the order Tab takes: each label just before its field, so its
// access key reaches the field.
HWND frmService::Start() {
    namespace id = ControlId;
    const DWORD edit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    AddControl("STATIC", 0, -1, kLabelLeft, 150, kLabelWidth, 255, "&Service :");
    cboService = AddControl("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id::cboService, kFieldLeft, 120,
                            kFieldWidth, 315 + kListHeight, "");
    lblUrl = AddControl("STATIC", 0, -1, kLabelLeft, 555, kLabelWidth, 255, "&URL :");
    txtUrl = AddControl("EDIT", edit, id::txtUrl, kFieldLeft, 525, kFieldWidth, kRowHeight, choice_.Url);
    lblModel = AddControl("STATIC", 0, -1, kLabelLeft, 930, kLabelWidth, 255, "&Model :");
    txtModel = AddControl("EDIT", edit, id::txtModel, kFieldLeft, 900, kFieldWidth, kRowHeight, choice_.Model);
    lblKey = AddControl("STATIC", 0, -1, kLabelLeft, 1305, kLabelWidth, 255, "&Key :");
    txtKey = AddControl("EDIT", edit | ES_PASSWORD, id::txtKey, kFieldLeft, 1275, kFieldWidth, kRowHeight, "");
    lblHint = AddControl("STATIC", 0, id::lblHint, kLabelLeft, 1680, kServiceClientWidth - 2 * kLabelLeft, 450, "");
    cmdTest =
        AddControl("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, id::cmdTest, kLabelLeft, 2235, kLabelWidth, 350, "&Test");
    txtAnswer = AddControl("EDIT", WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                           id::txtAnswer, kFieldLeft, 2235, kFieldWidth, 690, "");
    AddControl("BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 2340, 3060, 1080, 350, "OK");
    AddControl("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 3600, 3060, 1080, 350, "Cancel");

    for (const std::string& name : ServiceNames())
        SendMessageA(cboService, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    // A stored name the program does not know (edited by hand) shows as the
    // first service, the one OK then keeps.
    LRESULT chosen = SendMessageA(cboService, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(choice_.Name.c_str()));
    SendMessageA(cboService, CB_SETCURSEL, chosen == CB_ERR ? 0 : static_cast<WPARAM>(chosen), 0);
    cboService_Click();
    return cboService;
}

ServiceChoice frmService::ChoiceOnScreen() const {
    ServiceChoice choice;
    const LRESULT chosen = SendMessageA(cboService, CB_GETCURSEL, 0, 0);
    const std::vector<std::string>& names = ServiceNames();
    if (chosen >= 0 && static_cast<size_t>(chosen) < names.size()) choice.Name = names[static_cast<size_t>(chosen)];
    choice.Url = WindowText(txtUrl);
    choice.Model = WindowText(txtModel);
    choice.Keys = edited_.Keys;
    if (!keyShownFor_.empty()) SwitchKeyBox(choice, keyShownFor_, WindowText(txtKey), keyShownFor_);
    return choice;
}

void frmService::cboService_Click() {
    const std::string chosen = ChoiceOnScreen().Name;
    const std::string key =
        keyShownFor_.empty() ? edited_.KeyOf(chosen) : SwitchKeyBox(edited_, keyShownFor_, WindowText(txtKey), chosen);
    SetWindowTextA(txtKey, key.c_str());
    keyShownFor_ = chosen;
    const ServiceFields fields = FieldsOf(chosen);
    // Fields the service has no use for keep their text, greyed.
    EnableWindow(lblUrl, fields.Url);
    EnableWindow(txtUrl, fields.Url);
    EnableWindow(lblModel, fields.Model);
    EnableWindow(txtModel, fields.Model);
    EnableWindow(lblKey, fields.Key);
    EnableWindow(txtKey, fields.Key);
    SetWindowTextA(lblHint, fields.Hint);
}

void frmService::cmdTest_Click() {
    if (testing_) return;
    const ServiceSettings settings = SettingsOf(ChoiceOnScreen(), sourceLanguage_, targetLanguage_);
    std::unique_ptr<HttpTransport> transport = CreateSystemTransport();
    // The dialog keeps answering while the service is asked.
    const HWND dialog = Handle();
    ConnectionSettings how{
        .Jobs = 1, .RunBlocking = [dialog](const std::function<void()>& work) { RunWhileDialogAnswers(work, dialog); }};
    // Test stays enabled (a press meanwhile is ignored): disabling it would
    // take the focus away, and with it Enter and Esc.
    SetWindowTextA(txtAnswer, "Asking the service...");
    testing_ = transport.get();
    TrialOutcome outcome;
    try {
        outcome = TryService(settings, how, *transport);
    } catch (...) {
        outcome.Text = ErrorReportText(CaughtError());
    }
    testing_ = nullptr;
    if (finished_) return;  // closed meanwhile: nobody is looking
    SetWindowTextA(txtAnswer, outcome.Text.c_str());
}

void frmService::Finish(bool accepted) {
    if (finished_) return;
    finished_ = true;
    if (accepted) choice_ = ChoiceOnScreen();
    // A Test under way ends at once rather than after its time-out.
    if (testing_) testing_->Cancel();
    EndDialog(Handle(), accepted ? IDOK : IDCANCEL);
}

INT_PTR frmService::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: Finish(true); return TRUE;
                case IDCANCEL: Finish(false); return TRUE;
                case ControlId::cmdTest:
                    if (HIWORD(wParam) == BN_CLICKED) cmdTest_Click();
                    return TRUE;
                case ControlId::cboService:
                    if (HIWORD(wParam) == CBN_SELCHANGE) cboService_Click();
                    return TRUE;
                default: return FALSE;
            }
        case WM_CLOSE: Finish(false); return TRUE;
        default: return FALSE;
    }
}

}  // namespace tarvex::win
