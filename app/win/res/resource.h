#pragma once
// Resource identifiers of tarvex.exe.
#define IDI_TARVEX 1
