// The CLAP window through the gui extension, as a host embeds it: into a parent of the host's
// (under an Xvfb of the test's own on Linux, under Wine's null driver on Windows), fifty open
// and close cycles that leave no window, timer or descriptor behind, and a click on the check
// box that reaches the host as one gesture.
#include <gtest/gtest.h>

#include <memory>

#include "clap/ext/gui.h"
#include "editor/dialog_layout.h"
#include "resources/metalui_ids.h"
#include "support/plugin_file.h"
#include "tools/hosting/clap_plugin_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <unistd.h>

#include "editor/dialog_state.h"
#include "tests/editor/x11_host.h"
#endif

namespace {

#ifdef _WIN32
const char* const kApi = CLAP_WINDOW_API_WIN32;
// The dialog has a timer of its own.
constexpr size_t kHostTimersWhileOpen = 0;

// A top-level window of the host's own, and what it contains.
class HostWindow {
 public:
  HostWindow() {
    window = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~HostWindow() { DestroyWindow(window); }
  std::string skipReason() const { return window ? "" : "no window for the host"; }
  clap_window_t handle() const {
    clap_window_t w;
    w.api = kApi;
    w.win32 = window;
    return w;
  }
  size_t children() const {
    size_t count = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      ++count;
    return count;
  }
  // Every window this thread owns, ours and the plug-in's.
  static size_t threadWindows() {
    size_t count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND, LPARAM counter) {
          ++*reinterpret_cast<size_t*>(counter);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
  }
  size_t resources() const { return threadWindows(); }
  void settle() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  void clickCheckBox() {
    SendMessageA(GetDlgItem(GetWindow(window, GW_CHILD), IDC_X100_CHECKBOX), BM_CLICK, 0, 0);
  }

 private:
  HWND window = nullptr;
};
#else
const char* const kApi = CLAP_WINDOW_API_X11;
// The host's timer drives the window's events and refreshes.
constexpr size_t kHostTimersWhileOpen = 1;

// A parent window on the test's own display, and what it contains.
class HostWindow {
 public:
  HostWindow() {
    VirtualDisplay& display = VirtualDisplay::get();
    if (!display.running()) {
      reason = display.failure;
      return;
    }
    connection = xcb_connect(nullptr, nullptr);
    screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    window = xcb_generate_id(connection);
    const uint32_t values[] = {screen->black_pixel, 1};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 500, 400, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(connection, window);
    roundTrip();
  }
  ~HostWindow() {
    if (connection) xcb_disconnect(connection);
  }
  std::string skipReason() const { return reason; }
  clap_window_t handle() const {
    clap_window_t w;
    w.api = kApi;
    w.x11 = window;
    return w;
  }
  size_t children() {
    roundTrip();
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
    const size_t count = tree ? xcb_query_tree_children_length(tree) : 0;
    free(tree);
    return count;
  }
  // Descriptors this process holds: each X connection is one.
  size_t resources() const {
    size_t count = 0;
    DIR* folder = opendir("/proc/self/fd");
    while (folder && readdir(folder)) ++count;
    if (folder) closedir(folder);
    return count;
  }
  // Time for the server to pass on what either connection sent.
  void settle() {
    roundTrip();
    usleep(5000);
  }
  void clickCheckBox() {
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
    ASSERT_TRUE(tree && xcb_query_tree_children_length(tree) == 1);
    const xcb_window_t editor = xcb_query_tree_children(tree)[0];
    free(tree);
    PixelRect box{};
    for (int32_t control = 0; control < kDialogControlCount; ++control) {
      if (kDialogControls[control].id == IDC_X100_CHECKBOX) box = DialogState::controlRect(control);
    }
    for (uint8_t type : {XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE}) {
      xcb_button_press_event_t click = {};
      click.response_type = type;
      click.detail = 1;
      click.event = editor;
      click.event_x = static_cast<int16_t>((box.left + box.right) / 2);
      click.event_y = static_cast<int16_t>((box.top + box.bottom) / 2);
      xcb_send_event(connection, 0, editor, XCB_EVENT_MASK_NO_EVENT,
                     reinterpret_cast<const char*>(&click));
    }
    settle();
  }

 private:
  void roundTrip() {
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
  }
  std::string reason;
  xcb_connection_t* connection = nullptr;
  xcb_screen_t* screen = nullptr;
  xcb_window_t window = 0;
};
#endif

class ClapWindow : public testing::Test {
 protected:
  void SetUp() override {
    if (!host.skipReason().empty()) GTEST_SKIP() << host.skipReason();
    instance = file.newClapInstance();
    plugin = instance->plugin();
    gui = static_cast<const clap_plugin_gui_t*>(plugin->get_extension(plugin, CLAP_EXT_GUI));
    ASSERT_NE(gui, nullptr);
  }

  // gui.create to gui.show as a host embeds a window: at scale 1 it is the dialog's size.
  void open() {
    ASSERT_TRUE(gui->is_api_supported(plugin, kApi, false));
    ASSERT_TRUE(gui->create(plugin, kApi, false));
    gui->set_scale(plugin, 1.0);
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(gui->get_size(plugin, &width, &height));
    EXPECT_EQ(width, static_cast<uint32_t>(dialogPixelWidth(1.0)));
    EXPECT_EQ(height, static_cast<uint32_t>(dialogPixelHeight(1.0)));
    const clap_window_t parent = host.handle();
    ASSERT_TRUE(gui->set_parent(plugin, &parent));
    ASSERT_TRUE(gui->show(plugin));
    idle();
  }

  void idle() {
    for (int i = 0; i < 3; ++i) {
      host.settle();
      instance->host().fireTimers();
    }
  }

  HostWindow host;
  ClapPluginFile file{builtTreeRoot() + "Vorra OverDrive.clap"};
  std::unique_ptr<ClapInstance> instance;
  const clap_plugin_t* plugin = nullptr;
  const clap_plugin_gui_t* gui = nullptr;
};

TEST_F(ClapWindow, FiftyOpenCloseCyclesLeaveNothingBehind) {
  open();
  gui->destroy(plugin);
  const size_t before = host.resources();
  for (int cycle = 0; cycle < 50; ++cycle) {
    SCOPED_TRACE(cycle);
    open();
    ASSERT_EQ(host.children(), 1u);
    EXPECT_EQ(instance->host().timerCount(), kHostTimersWhileOpen);
    gui->destroy(plugin);
    EXPECT_EQ(host.children(), 0u);
    EXPECT_EQ(instance->host().timerCount(), 0u);
  }
  EXPECT_EQ(host.resources(), before);
}

TEST_F(ClapWindow, AClickOnTheCheckBoxReachesTheHostAsOneGesture) {
  open();
  const uint32_t requests = instance->host().flushRequests;
  host.clickCheckBox();
  idle();
  EXPECT_GT(instance->host().flushRequests, requests);
  instance->flush();
  const auto& events = instance->reported();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
  EXPECT_EQ(events[1].type, CLAP_EVENT_PARAM_VALUE);
  EXPECT_EQ(events[2].type, CLAP_EVENT_PARAM_GESTURE_END);
  for (const ReportedEvent& event : events) EXPECT_EQ(event.id, 3u);
  EXPECT_EQ(events[1].value, 0.66f) << "the check box's value for on";
  EXPECT_EQ(instance->parameter(3), 0.66f);
  gui->destroy(plugin);
}

}  // namespace
