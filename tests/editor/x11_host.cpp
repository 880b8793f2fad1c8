#include "x11_host.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>

#include "editor/dialog_painter.h"

namespace {

constexpr uint32_t kShiftKeysym = 0xffe1;

}  // namespace

// fontconfig, which cairo's text loads once per process, keeps its configuration for good: the
// same 652 bytes after one editor as after 300 open/close cycles. cairo itself keeps 1040 bytes
// once two connections were open at the same time, as many after six such pairs as after one;
// only a test that opens two editors at once allows for that. LeakSanitizer reads this hook
// when it checks, at exit.
bool cairoKeepsDataOfTwoConnections = false;
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return cairoKeepsDataOfTwoConnections ? "leak:libfontconfig.so\nleak:libcairo.so\n"
                                        : "leak:libfontconfig.so\n";
}

VirtualDisplay& VirtualDisplay::get() {
  static VirtualDisplay display;
  return display;
}

// Xvfb writes the display number it chose to the descriptor named by -displayfd.
VirtualDisplay::VirtualDisplay() {
  int ready[2];
  if (pipe(ready) != 0) {
    failure = "no pipe for Xvfb";
    return;
  }
  const std::string fd = std::to_string(ready[1]);
  const char* arguments[] = {"Xvfb",        "-displayfd", fd.c_str(), "-screen",  "0",
                             "1024x768x24", "-nolisten",  "tcp",      "-noreset", nullptr};
  int started[2];
  if (pipe2(started, O_CLOEXEC) != 0) {
    failure = "no pipe for Xvfb";
    return;
  }
  server = fork();
  if (server == 0) {
    // The server ends with the test program, however that ends, and keeps quiet.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, 1);
    dup2(quiet, 2);
    execvp("Xvfb", const_cast<char* const*>(arguments));
    const char failed = 1;
    (void)!write(started[1], &failed, 1);
    _exit(127);
  }
  close(started[1]);
  close(ready[1]);
  char execFailed = 0;
  const bool spawned = server > 0 && read(started[0], &execFailed, 1) == 0;
  close(started[0]);
  if (!spawned) {
    if (server > 0) waitpid(server, nullptr, 0);
    server = 0;
    close(ready[0]);
    failure = "Xvfb is not installed (Debian package xvfb): the Linux editor's tests skip";
    return;
  }
  char number[32] = {};
  pollfd wait = {ready[0], POLLIN, 0};
  const ssize_t length = poll(&wait, 1, 10000) == 1 ? read(ready[0], number, sizeof number - 1) : 0;
  close(ready[0]);
  if (length <= 0) {
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    server = 0;
    failure = "Xvfb did not start within 10 s";
    return;
  }
  number[std::strcspn(number, "\n")] = '\0';
  setenv("DISPLAY", (std::string(":") + number).c_str(), 1);
}

VirtualDisplay::~VirtualDisplay() {
  if (server <= 0) return;
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
}

void X11EditorHost::SetUp() {
  VirtualDisplay& display = VirtualDisplay::get();
  if (!display.running()) GTEST_SKIP() << display.failure;
  connection = xcb_connect(nullptr, nullptr);
  ASSERT_EQ(xcb_connection_has_error(connection), 0);
  screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
}

void X11EditorHost::TearDown() {
  closeInstances();
  if (!connection) return;
  for (xcb_window_t parent : parents) xcb_destroy_window(connection, parent);
  xcb_disconnect(connection);
}

AEffect* X11EditorHost::createInstance() {
  AEffect* instance = InstanceFixture::createInstance();
  if (!current) current = instance;
  return instance;
}

void X11EditorHost::closeInstance(AEffect* instance) {
  InstanceFixture::closeInstance(instance);
  if (current == instance) current = instances.empty() ? nullptr : instances.front();
}

xcb_window_t X11EditorHost::makeParent(int16_t x, int16_t y, uint16_t width, uint16_t height) {
  const xcb_window_t window = xcb_generate_id(connection);
  const uint32_t values[] = {screen->black_pixel, 1};
  xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, x, y, width, height, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
  xcb_map_window(connection, window);
  roundTrip();
  parents.push_back(window);
  return window;
}

std::vector<xcb_window_t> X11EditorHost::childrenOf(xcb_window_t window) {
  std::vector<xcb_window_t> children;
  xcb_query_tree_reply_t* tree =
      xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
  if (!tree) return children;
  const xcb_window_t* list = xcb_query_tree_children(tree);
  children.assign(list, list + xcb_query_tree_children_length(tree));
  free(tree);
  return children;
}

xcb_window_t X11EditorHost::openEditor(AEffect* instance, xcb_window_t parent) {
  const auto handle = reinterpret_cast<void*>(static_cast<uintptr_t>(parent));
  if (send(instance, effEditOpen, 0, handle) != 1) return 0;
  settle(instance);
  const std::vector<xcb_window_t> children = childrenOf(parent);
  return children.size() == 1 ? children[0] : 0;
}

void X11EditorHost::roundTrip() {
  free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

void X11EditorHost::settle(AEffect* instance) {
  AEffect* target = instance ? instance : current;
  roundTrip();
  for (int i = 0; i < 4; ++i) {
    send(target, effEditIdle);
    usleep(2000);
  }
  // Time for the server to take in what the editor sent on its own connection.
  usleep(5000);
  roundTrip();
}

void X11EditorHost::moveTo(xcb_window_t window, int32_t x, int32_t y) {
  xcb_translate_coordinates_reply_t* root = xcb_translate_coordinates_reply(
      connection,
      xcb_translate_coordinates(connection, window, screen->root, static_cast<int16_t>(x),
                                static_cast<int16_t>(y)),
      nullptr);
  ASSERT_NE(root, nullptr);
  xcb_test_fake_input(connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen->root, root->dst_x,
                      root->dst_y, 0);
  free(root);
  settle(nullptr);
}

void X11EditorHost::button(uint8_t number, bool down) {
  xcb_test_fake_input(connection, down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, number,
                      XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  settle(nullptr);
}

void X11EditorHost::click(xcb_window_t window, int32_t x, int32_t y) {
  moveTo(window, x, y);
  button(1, true);
  button(1, false);
}

void X11EditorHost::key(uint32_t keysym, bool shift) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const uint8_t count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
  xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr);
  ASSERT_NE(map, nullptr);
  const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(map);
  const auto keycodeOf = [&](uint32_t wanted) -> uint8_t {
    for (int code = 0; code < count; ++code) {
      if (symbols[code * map->keysyms_per_keycode] == wanted) {
        return static_cast<uint8_t>(setup->min_keycode + code);
      }
    }
    return 0;
  };
  const uint8_t code = keycodeOf(keysym), shiftCode = keycodeOf(kShiftKeysym);
  free(map);
  ASSERT_NE(code, 0) << "no key for keysym " << keysym;
  if (shift) xcb_test_fake_input(connection, XCB_KEY_PRESS, shiftCode, 0, XCB_NONE, 0, 0, 0);
  xcb_test_fake_input(connection, XCB_KEY_PRESS, code, 0, XCB_NONE, 0, 0, 0);
  xcb_test_fake_input(connection, XCB_KEY_RELEASE, code, 0, XCB_NONE, 0, 0, 0);
  if (shift) xcb_test_fake_input(connection, XCB_KEY_RELEASE, shiftCode, 0, XCB_NONE, 0, 0, 0);
  settle(nullptr);
}

Picture X11EditorHost::picture(xcb_window_t window) {
  Picture result;
  xcb_get_geometry_reply_t* geometry =
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
  if (!geometry) return result;
  xcb_get_image_reply_t* image =
      xcb_get_image_reply(connection,
                          xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                        geometry->width, geometry->height, ~0u),
                          nullptr);
  if (image && xcb_get_image_data_length(image) >= geometry->width * geometry->height * 4) {
    result.width = geometry->width;
    result.height = geometry->height;
    const uint8_t* data = xcb_get_image_data(image);
    for (int32_t i = 0; i < result.width * result.height; ++i) {
      result.pixels.push_back({data[4 * i + 2], data[4 * i + 1], data[4 * i]});
    }
  }
  free(image);
  free(geometry);
  return result;
}

int32_t X11EditorHost::thumbCentre(const Picture& picture, const PixelRect& area) {
  const Pixel thumb = {kThumbColour.red, kThumbColour.green, kThumbColour.blue};
  int32_t top = -1, bottom = -1;
  for (int32_t y = area.top; y < area.bottom && y < picture.height; ++y) {
    for (int32_t x = area.left; x < area.right && x < picture.width; ++x) {
      if (!(picture.at(x, y) == thumb)) continue;
      if (top < 0) top = y;
      bottom = y;
    }
  }
  return top < 0 ? -1 : (top + bottom) / 2;
}

