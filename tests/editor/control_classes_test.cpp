// The sliders' window class belongs to the common controls. A host need not have registered
// it, so opening the editor initialises it before the dialog is created. Under Wine user32
// loads comctl32 by itself when the class is looked up, so a dialog appearing proves nothing:
// the test watches the plug-in's own call through its import table instead.
#include <gtest/gtest.h>

#include <vector>

#include "editor_host.h"
#include "import_hook.h"

namespace {

using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

struct InitCall {
  DWORD size;
  DWORD classes;
  bool dialogExisted;  // a dialog already stood in the editor's parent window
};

std::vector<InitCall> initCalls;
HWND watchedParent = nullptr;
InitCommonControlsExFunction realInit = nullptr;

BOOL WINAPI recordInit(const INITCOMMONCONTROLSEX* controls) {
  initCalls.push_back({controls->dwSize, controls->dwICC,
                       FindWindowExA(watchedParent, nullptr, "#32770", nullptr) != nullptr});
  return realInit(controls);
}

using ControlClasses = EditorHost;

TEST_F(ControlClasses, OpenInitialisesTheTrackbarClassBeforeCreatingTheDialog) {
  ImportHook hook(LoadedPlugin::get().module(), "comctl32.dll", "InitCommonControlsEx",
                  reinterpret_cast<void*>(recordInit));
  ASSERT_TRUE(hook.installed()) << "the plug-in imports InitCommonControlsEx from comctl32.dll";
  realInit = reinterpret_cast<InitCommonControlsExFunction>(hook.original);
  watchedParent = parent;
  initCalls.clear();

  ASSERT_NE(openEditor(record, parent), nullptr);
  ASSERT_FALSE(initCalls.empty()) << "open initialised no common controls";
  EXPECT_EQ(initCalls.front().size, sizeof(INITCOMMONCONTROLSEX));
  EXPECT_NE(initCalls.front().classes & ICC_BAR_CLASSES, 0u) << "the trackbar's group";
  EXPECT_FALSE(initCalls.front().dialogExisted) << "initialised before the dialog was created";
}

}  // namespace
