// The Linux editor's window over its life under Xvfb: per-editor open counting, failed opens,
// instances destroyed with the editor open, a parent destroyed first, two instances side by
// side, the periodic refresh, the display scale, and no X connection before effEditOpen.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "editor/control_mapping.h"
#include "editor/dialog_state.h"
#include "editor/slider_scale.h"
#include "vst2/editor_base.h"
#include "vst2/effect_base.h"
#include "x11_host.h"

namespace {

// Sockets this process holds: each X connection is one.
int32_t openSockets() {
  int32_t sockets = 0;
  DIR* folder = opendir("/proc/self/fd");
  while (dirent* entry = folder ? readdir(folder) : nullptr) {
    struct stat info;
    const std::string path = std::string("/proc/self/fd/") + entry->d_name;
    if (stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) ++sockets;
  }
  if (folder) closedir(folder);
  return sockets;
}

void* handleOf(xcb_window_t window) {
  return reinterpret_cast<void*>(static_cast<uintptr_t>(window));
}

PixelRect firstSlider() { return DialogState::controlRect(DialogState::controlOfSlider(0)); }

using X11EditorLifecycle = X11EditorHost;

TEST_F(X11EditorLifecycle, OpenCloseCyclesLeaveNoWindowAndNoConnection) {
  AEffect* pair[2] = {createInstance(), createInstance()};
  const xcb_window_t parent[2] = {makeParent(0, 0), makeParent(440, 0)};
  const int32_t socketsBefore = openSockets();
  for (int32_t cycle = 0; cycle < 300; ++cycle) {
    SCOPED_TRACE(cycle);
    const int32_t side = cycle % 2;
    AEffect* instance = pair[side];
    ASSERT_NE(openEditor(instance, parent[side]), 0u);
    if (cycle % 5 == 0) {
      // A nested open creates nothing, and its close leaves the window.
      ASSERT_EQ(send(instance, effEditOpen, 0, handleOf(parent[side])), 1);
      send(instance, effEditClose);
      roundTrip();
      ASSERT_EQ(childrenOf(parent[side]).size(), 1u);
    }
    if (cycle % 25 == 0) {
      // Destroyed with its editor open: the window goes with the instance.
      closeInstance(instance);
      pair[side] = createInstance();
    } else {
      send(instance, effEditClose);
      send(instance, effEditClose);  // one close too many changes nothing
    }
    roundTrip();
    ASSERT_TRUE(childrenOf(parent[side]).empty());
  }
  EXPECT_EQ(openSockets(), socketsBefore);
}

TEST_F(X11EditorLifecycle, AParentDestroyedFirstIsHandled) {
  AEffect* instance = createInstance();
  struct Case {
    const char* what;
    bool idleBeforeClose;
    bool closeInstanceInstead;
  };
  const Case cases[] = {{"the editor saw it go", true, false},
                        {"closed before any idle", false, false},
                        {"the instance destroyed", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const xcb_window_t parent = makeParent(0, 0);
    ASSERT_NE(openEditor(instance, parent), 0u);
    xcb_destroy_window(connection, parent);
    roundTrip();
    if (c.idleBeforeClose) settle(instance);
    ERect* rect = nullptr;
    EXPECT_EQ(send(instance, effEditGetRect, 0, &rect), 1);
    if (c.closeInstanceInstead) {
      closeInstance(instance);
      instance = createInstance();
    } else {
      send(instance, effEditClose);
    }
    // The editor opens again afterwards, into a parent that lives.
    const xcb_window_t next = makeParent(0, 0);
    ASSERT_NE(openEditor(instance, next), 0u);
    send(instance, effEditClose);
    roundTrip();
    EXPECT_TRUE(childrenOf(next).empty());
  }
}

TEST_F(X11EditorLifecycle, AFailedOpenDoesNotCount) {
  AEffect* instance = createInstance();
  const xcb_window_t gone = makeParent(0, 0);
  xcb_destroy_window(connection, gone);
  roundTrip();
  EXPECT_EQ(send(instance, effEditOpen, 0, handleOf(gone)), 0) << "no such window";
  const std::string display = std::getenv("DISPLAY");
  unsetenv("DISPLAY");
  const xcb_window_t parent = makeParent(0, 0);
  EXPECT_EQ(send(instance, effEditOpen, 0, handleOf(parent)), 0) << "no display";
  setenv("DISPLAY", display.c_str(), 1);
  // Counted failures would make this open a nested one, without a window.
  ASSERT_NE(openEditor(instance, parent), 0u);
  send(instance, effEditClose);
  roundTrip();
  EXPECT_TRUE(childrenOf(parent).empty());
}

TEST_F(X11EditorLifecycle, TwoInstancesEditorsStayIndependent) {
  cairoKeepsDataOfTwoConnections = true;
  AEffect* a = createInstance();
  AEffect* b = createInstance();
  const xcb_window_t editorA = openEditor(a, makeParent(0, 0));
  const xcb_window_t editorB = openEditor(b, makeParent(440, 0));
  ASSERT_NE(editorA, 0u);
  ASSERT_NE(editorB, 0u) << "each editor counts its own opens";
  a->setParameter(a, 0, 1.0f);
  b->setParameter(b, 0, 1.0f);
  settle(a);
  settle(b);
  const int32_t top = thumbCentre(picture(editorB), firstSlider());
  a->setParameter(a, 0, 0.0f);
  settle(a);
  settle(b);
  EXPECT_GT(thumbCentre(picture(editorA), firstSlider()), top + 50);
  EXPECT_EQ(thumbCentre(picture(editorB), firstSlider()), top);

  current = b;
  host.requests.clear();
  click(editorB, (firstSlider().left + firstSlider().right) / 2, top + 20);
  const std::vector<HostRequest> sent = automations();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].effect, b);
  EXPECT_EQ(a->getParameter(a, 0), 0.0f);
  EXPECT_EQ(b->getParameter(b, 0), valueFromSliderPosition(kTrackbarPage)) << "one page down";
}

TEST_F(X11EditorLifecycle, IdleRefreshesEvery300MsWithoutTheUpdateFlag) {
  AEffect* instance = createInstance();
  const xcb_window_t editor = openEditor(instance, makeParent(0, 0));
  ASSERT_NE(editor, 0u);
  instance->setParameter(instance, 0, 1.0f);
  settle(instance);
  const int32_t top = thumbCentre(picture(editor), firstSlider());
  // A change whose update flag was lost: only the periodic refresh shows it.
  instance->setParameter(instance, 0, 0.0f);
  effectOf(instance)->editor->updatePending = 0;
  send(instance, effEditIdle);
  roundTrip();
  EXPECT_EQ(thumbCentre(picture(editor), firstSlider()), top);
  usleep(320000);
  settle(instance);
  EXPECT_GT(thumbCentre(picture(editor), firstSlider()), top + 50);
}

TEST_F(X11EditorLifecycle, TheScaleComesFromGdkScaleOrXftDpi) {
  struct Case {
    const char* gdkScale;
    const char* resources;
    int16_t width, height;
  };
  const Case cases[] = {{nullptr, nullptr, 425, 327},
                        {"2", nullptr, 850, 654},
                        {nullptr, "Xft.antialias:\t1\nXft.dpi:\t144\n", 638, 491},
                        {"1", "Xft.dpi:\t192\n", 425, 327}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.gdkScale ? c.gdkScale : "-") + " " +
                 (c.resources ? c.resources : "-"));
    if (c.gdkScale) {
      setenv("GDK_SCALE", c.gdkScale, 1);
    } else {
      unsetenv("GDK_SCALE");
    }
    if (c.resources) {
      xcb_change_property(connection, XCB_PROP_MODE_REPLACE, screen->root,
                          XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 8,
                          static_cast<uint32_t>(std::strlen(c.resources)), c.resources);
    } else {
      xcb_delete_property(connection, screen->root, XCB_ATOM_RESOURCE_MANAGER);
    }
    AEffect* instance = createInstance();
    const xcb_window_t editor = openEditor(instance, makeParent(0, 0, 900, 700));
    ASSERT_NE(editor, 0u);
    ERect* rect = nullptr;
    ASSERT_EQ(send(instance, effEditGetRect, 0, &rect), 1);
    EXPECT_EQ(rect->right, c.width);
    EXPECT_EQ(rect->bottom, c.height);
    const Picture shown = picture(editor);
    EXPECT_EQ(shown.width, c.width);
    EXPECT_EQ(shown.height, c.height);
    closeInstance(instance);
  }
  unsetenv("GDK_SCALE");
  xcb_delete_property(connection, screen->root, XCB_ATOM_RESOURCE_MANAGER);
}

TEST_F(X11EditorLifecycle, NoConnectionBeforeTheEditorOpens) {
  const int32_t before = openSockets();
  AEffect* instance = createInstance();
  ASSERT_TRUE(instance->flags & effFlagsHasEditor);
  ERect* rect = nullptr;
  EXPECT_EQ(send(instance, effEditGetRect, 0, &rect), 1) << "the size is known before opening";
  float left[64] = {}, right[64] = {};
  float* channels[2] = {left, right};
  instance->processReplacing(instance, channels, channels, 64);
  send(instance, effEditIdle);
  EXPECT_EQ(openSockets(), before);
  ASSERT_NE(openEditor(instance, makeParent(0, 0)), 0u);
  EXPECT_EQ(openSockets(), before + 1);
  send(instance, effEditClose);
  EXPECT_EQ(openSockets(), before);
}

}  // namespace
