// A host for the editor under Wine: loads the real plug-in file from a folder whose path holds
// a space, creates instances through `main`, gives the editor a parent window of its own and
// pumps messages so that the dialog's timer ticks arrive.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/instance_fixture.h"
#include "tools/hosting/plugin_library.h"
#include "vst2/aeffect.h"

// A Windows path for a folder of the build tree, which CTest names in Unix form.
std::string windowsPath(std::string path);

// A lock shared by all programs of the Wine prefix, held for its lifetime.
class PrefixLock {
 public:
  explicit PrefixLock(const char* name);
  ~PrefixLock();
  PrefixLock(const PrefixLock&) = delete;
  PrefixLock& operator=(const PrefixLock&) = delete;

 private:
  HANDLE mutex;
};

struct LoadedPlugin {
  // Copied once per test program into "<build dir>\editor host\" and loaded from there.
  static const LoadedPlugin& get();
  HMODULE module() const { return static_cast<HMODULE>(library->handle()); }
  std::unique_ptr<PluginLibrary> library;  // throws, failing the test, if the file does not load
  std::string directory;  // where the loaded file lies, without a trailing backslash
};

// Where this test program lies, without a trailing backslash.
std::string testProgramDirectory();

class EditorHost : public InstanceFixture {
 protected:
  void SetUp() override;
  void TearDown() override;
  PluginEntry pluginEntry() override { return LoadedPlugin::get().library->entry(); }

  static HWND makeParentWindow();
  // The dialogs that are children of parent.
  static std::vector<HWND> dialogsOf(HWND parent);
  // Opens record's editor in parent and answers its one dialog.
  HWND openEditor(AEffect* instance, HWND parentWindow);
  // Runs the message loop for about ms milliseconds.
  static void pump(DWORD ms);

  static int32_t sliderPosition(HWND dialog, int id) {
    return static_cast<int32_t>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0));
  }
  static bool boxChecked(HWND dialog) {
    return SendDlgItemMessageA(dialog, 6660, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  HWND parent = nullptr;
  AEffect* record = nullptr;
};
