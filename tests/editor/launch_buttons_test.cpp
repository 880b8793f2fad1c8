// "Docs..." and the web button, with a recorder program registered for ".htm" files and for
// http addresses in the test prefix. The plug-in file lies in a folder whose path holds a space.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "editor/web_site.h"
#include "editor_host.h"

namespace {

class LaunchButtons : public EditorHost {
 protected:
  void SetUp() override {
    EditorHost::SetUp();
    if (HasFatalFailure()) return;
    recorder = testProgramDirectory() + "\\htm_recorder.exe";
    log = LoadedPlugin::get().directory + "\\recorder.log";
    SetEnvironmentVariableA("VORRA_RECORDER_LOG", log.c_str());
    DeleteFileA(log.c_str());
    const std::string command = "\"" + recorder + "\" \"%1\"";
    // Wine's HKEY_CLASSES_ROOT does not merge the user's classes: the prefix's own entries
    // are changed, and put back afterwards.
    overrideDefault(".htm", "VorraRecorder.htm", ".htm");
    overrideDefault("VorraRecorder.htm\\shell\\open\\command", command, "VorraRecorder.htm");
    overrideDefault("http\\shell\\open\\command", command, "http\\shell\\open\\command");
    dialog = openEditor(record, parent);
    ASSERT_NE(dialog, nullptr);
  }
  void TearDown() override {
    for (auto it = saved.rbegin(); it != saved.rend(); ++it) {
      if (it->existed) {
        writeDefault(it->key, it->value);
      } else {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, it->createdRoot.c_str());
      }
    }
    DeleteFileA(documentation().c_str());
    EditorHost::TearDown();
  }

  struct SavedDefault {
    std::string key, createdRoot, value;
    bool existed;
  };
  // Sets the default value of HKEY_CLASSES_ROOT\key, remembering what was there; a key that
  // did not exist is removed afterwards from createdRoot down.
  void overrideDefault(const std::string& key, const std::string& value,
                       const std::string& createdRoot) {
    SavedDefault old{key, createdRoot, "", false};
    char text[1024];
    LONG size = sizeof text;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &handle) ==
        ERROR_SUCCESS) {
      old.existed = RegQueryValueA(handle, nullptr, text, &size) == ERROR_SUCCESS;
      if (old.existed) old.value = text;
      RegCloseKey(handle);
    }
    saved.push_back(old);
    writeDefault(key, value);
  }
  static void writeDefault(const std::string& key, const std::string& value) {
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
  }
  static std::string documentation() {
    return LoadedPlugin::get().directory + "\\VorraOverDrive.htm";
  }
  // The recorder's command line, or "" when it did not run within a few seconds.
  std::string launched() const {
    for (int waited = 0; waited < 15000; waited += 50) {
      std::ifstream in(log, std::ios::binary);
      if (in) {
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
      }
      pump(50);
    }
    return "";
  }
  void press(int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

  // The registry entries, the manual file and the log are shared by the whole prefix.
  PrefixLock lock{"VorraLaunchButtons"};
  std::string recorder, log;
  std::vector<SavedDefault> saved;
  HWND dialog = nullptr;
};

TEST_F(LaunchButtons, DocsOpensTheManualBesideThePluginThroughTheShell) {
  std::ofstream(documentation()) << "<html></html>";
  press(6666);
  const std::string commandLine = launched();
  EXPECT_NE(commandLine.find(documentation()), std::string::npos) << commandLine;
}

TEST_F(LaunchButtons, WithoutTheFileTheRegisteredProgramGetsTheQuotedPath) {
  // The shell answers "file not found", so the launcher starts the program itself: the text
  // before the placeholder, a space, and the path in quotes, since it holds a space.
  press(6666);
  EXPECT_EQ(launched(), "\"" + recorder + "\"  \"" + documentation() + "\"");
}

TEST_F(LaunchButtons, TheWebButtonOpensTheMakersSite) {
  press(7777);
  const std::string commandLine = launched();
  EXPECT_NE(commandLine.find(webSiteAddress), std::string::npos) << commandLine;
}

TEST_F(LaunchButtons, PressingButtonsSendsNoAutomation) {
  press(6666);
  launched();
  EXPECT_TRUE(automations().empty());
}

}  // namespace
