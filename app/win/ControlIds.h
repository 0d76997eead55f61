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
constexpr int cmdSync = 1018;    // opens the Sync dialog
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

// The Sync dialog (Close is IDCANCEL).
constexpr int optReference = 1201;
constexpr int lblReference = 1202;
constexpr int txtReference = 1203;
constexpr int cmdBrowse = 1204;
constexpr int chkCuts = 1205;
constexpr int chkSpeed = 1206;
constexpr int optTwoLines = 1207;
constexpr int lblCue0 = 1208;  // lblCue0 + i, txtCue0 + i and so on for line i (0 or 1)
constexpr int txtCue0 = 1210;
constexpr int lblTime0 = 1212;
constexpr int txtTime0 = 1214;
constexpr int lblStage = 1216;
constexpr int prgFind = 1217;
constexpr int txtFinding = 1218;
constexpr int cmdFind = 1219;  // "Cancel" while a search runs
constexpr int cmdApply = 1220;

}  // namespace tarvex::win::ControlId
