#include "editor_host.h"

#include <cstdlib>

std::string windowsPath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  if (!path.empty() && path[0] == '\\') path = "Z:" + path;
  return path;
}

std::string testProgramDirectory() {
  char file[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, file, MAX_PATH);
  std::string path(file, length);
  return path.substr(0, path.find_last_of('\\'));
}

PrefixLock::PrefixLock(const char* name) : mutex(CreateMutexA(nullptr, FALSE, name)) {
  WaitForSingleObject(mutex, INFINITE);  // an abandoned lock is taken over as well
}

PrefixLock::~PrefixLock() {
  ReleaseMutex(mutex);
  CloseHandle(mutex);
}

const LoadedPlugin& LoadedPlugin::get() {
  static const LoadedPlugin plugin = [] {
    LoadedPlugin loaded;
    const char* build = std::getenv("VORRA_BUILD_DIR");
    const std::string buildDirectory = build ? windowsPath(build) : testProgramDirectory();
    loaded.directory = buildDirectory + "\\editor host";
    const std::string file = loaded.directory + "\\Vorra OverDrive.dll";
    // Test programs run side by side in one prefix: one copies while no other loads.
    const PrefixLock lock("VorraEditorHostCopy");
    CreateDirectoryA(loaded.directory.c_str(), nullptr);
    CopyFileA((buildDirectory + "\\Vorra OverDrive.dll").c_str(), file.c_str(), FALSE);
    loaded.library = std::make_unique<PluginLibrary>(file);
    return loaded;
  }();
  return plugin;
}

namespace {

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND EditorHost::makeParentWindow() {
  static const ATOM parentClass = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = parentProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VorraTestHost";
    return RegisterClassA(&windowClass);
  }();
  return CreateWindowExA(0, MAKEINTATOM(parentClass), "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                         0, 500, 400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void EditorHost::SetUp() {
  parent = makeParentWindow();
  ASSERT_NE(parent, nullptr);
  record = createInstance();
  ASSERT_NE(record, nullptr);
}

void EditorHost::TearDown() {
  closeInstances();
  if (parent) DestroyWindow(parent);
  pump(0);
}

std::vector<HWND> EditorHost::dialogsOf(HWND parentWindow) {
  std::vector<HWND> dialogs;
  for (HWND child = GetWindow(parentWindow, GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32];
    GetClassNameA(child, name, sizeof name);
    if (std::string(name) == "#32770") dialogs.push_back(child);
  }
  return dialogs;
}

HWND EditorHost::openEditor(AEffect* instance, HWND parentWindow) {
  EXPECT_EQ(send(instance, effEditOpen, 0, parentWindow), 1);
  const std::vector<HWND> dialogs = dialogsOf(parentWindow);
  EXPECT_EQ(dialogs.size(), 1u);
  return dialogs.empty() ? nullptr : dialogs.front();
}

void EditorHost::pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (ms) Sleep(5);
  } while (GetTickCount() - start < ms);
}

