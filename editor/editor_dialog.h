// The dialog procedure of "METALUI": user changes go to the effect through
// setParameterAutomated, timer ticks run the refresh step, the buttons launch documents.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// The property on the dialog that holds its OverdriveEditor.
constexpr char kEditorProperty[] = "ADEDITOR";

constexpr UINT_PTR kRefreshTimerId = 1;
constexpr UINT kRefreshPeriodMs = 300;

INT_PTR CALLBACK editorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
