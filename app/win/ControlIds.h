#pragma once
// Control identifiers of the main window, so that screen readers, automation
// and the end-to-end tests can find each control.

namespace tarvex::win::ControlId {

constexpr int XpGroupBox1 = 1001;
constexpr int lblJudul = 1002;
constexpr int XpGroupBox2 = 1003;
constexpr int lblUrl = 1004;
constexpr int Text1 = 1005;
constexpr int cmdBuka = 1006;
constexpr int Picture1 = 1007;
constexpr int TabStrip1 = 1008;
constexpr int TransContainer0 = 1010;
constexpr int Label4 = 1011;
constexpr int cmbMenit = 1012;
constexpr int cmbDetik = 1013;
constexpr int rdTambah0 = 1014;  // "Start Time"; rdTambah(i) is rdTambah0 + i
constexpr int TransContainer1 = 1020;
constexpr int lblFrom = 1021;
constexpr int comFrom = 1022;
constexpr int Label1 = 1023;
constexpr int comLan = 1024;
constexpr int cmdService = 1025;  // opens the Service dialog
constexpr int fraLogo = 1030;
constexpr int tarvoAsli = 1031;
constexpr int tarvo1 = 1032;  // tarvo(i) is tarvo1 + i - 1
constexpr int FrameTeks = 1040;
constexpr int Label5 = 1041;
constexpr int lblKirim = 1042;
constexpr int Progress1 = 1043;
constexpr int cmdTutup = 1050;
constexpr int cmdProses = 1051;

// The Service dialog (OK and Cancel are IDOK and IDCANCEL).
constexpr int cboService = 1101;
constexpr int txtUrl = 1102;
constexpr int txtModel = 1103;
constexpr int txtKey = 1104;
constexpr int lblHint = 1105;
constexpr int cmdTest = 1106;
constexpr int txtAnswer = 1107;

}  // namespace tarvex::win::ControlId
