#pragma once
// Resource identifiers of tarvex.exe.
#define IDI_TARVEX 1
#define IDI_LOGO 2
#define IDI_LOGO_FRAME1 3 /* frames 1..4 are IDI_LOGO_FRAME1 + 0..3 */
#define IDB_DONATE 10
