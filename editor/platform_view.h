// The editor's view on this platform, as every format opens it: the Win32 dialog on Windows, the
// X11 window elsewhere. Both take a parameter port and offer open, idle, refresh and close.
#pragma once

#ifdef _WIN32
#include "editor/win32_dialog_view.h"
using EditorView = Win32DialogView;
#else
#include "editor/x11_editor_view.h"
using EditorView = X11EditorView;
#endif
