// A minimal host that shows the editor in a window of its own, for pictures of the editor:
//   editor_viewer <plug-in file> <seconds>
// It opens the editor, sizes its window to the editor's rectangle and runs the message loop.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "tools/hosting/host_callback.h"
#include "tools/hosting/plugin_library.h"
#include "vst2/aeffect.h"
#include "vst2/editor_base.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  AEffect* effect = nullptr;
  try {
    static const PluginLibrary library(argv[1]);
    effect = library.instantiate(answeringHost<>);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  effect->dispatcher(effect, effSetProgram, 0, 2, nullptr, 0.0f);  // "Drive": varied positions

  HWND window = CreateWindowExA(0, "STATIC", "Vorra OverDrive", WS_OVERLAPPED | WS_CAPTION, 20, 20,
                                400, 340, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (effect->dispatcher(effect, effEditOpen, 0, 0, window, 0.0f) != 1) return 1;
  ERect* rect = nullptr;
  effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f);
  RECT outer = {0, 0, rect ? rect->right : 365, rect ? rect->bottom : 302};
  AdjustWindowRectEx(&outer, WS_OVERLAPPED | WS_CAPTION, FALSE, 0);
  SetWindowPos(window, nullptr, 20, 20, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOZORDER);
  ShowWindow(window, SW_SHOW);
  effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);

  const DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(argv[2]) * 1000);
  while (GetTickCount() < end) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  DestroyWindow(window);
  return 0;
}
