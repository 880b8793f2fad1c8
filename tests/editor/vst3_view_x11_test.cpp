// The VST3 view under Xvfb, driven as Linux VST3 hosts drive it: the frame hands out the host's
// run loop, the window idles from its timer and its X connection's descriptor, and each
// removed() takes the window and both registrations away again.
#include <dirent.h>

#include <string>

#include "support/plugin_file.h"
#include "tools/hosting/vst3_session.h"
#include "vst3_view_host.h"
#include "x11_host.h"

namespace {

int32_t openDescriptors() {
  int32_t count = 0;
  DIR* folder = opendir("/proc/self/fd");
  while (folder && readdir(folder)) ++count;
  if (folder) closedir(folder);
  return count;
}

using Vst3ViewX11 = X11EditorHost;

TEST_F(Vst3ViewX11, FiftyAttachesAndRemovalsLeaveNothingBehind) {
  const Vst3Bundle bundle(builtTreeRoot() + "Vorra OverDrive.vst3");
  const auto session = bundle.openSession();
  const xcb_window_t parent = makeParent(0, 0);
  void* handle = reinterpret_cast<void*>(static_cast<uintptr_t>(parent));
  TestRunLoop runLoop;
  TestPlugFrame frame(runLoop.loop());
  const int32_t descriptors = openDescriptors();
  for (int32_t cycle = 0; cycle < 50; ++cycle) {
    SCOPED_TRACE(cycle);
    v3_plugin_view** view = createEditorView(session->controller());
    ASSERT_NE(view, nullptr);
    const v3_plugin_view& table = viewTable(view);
    EXPECT_EQ(table.is_platform_type_supported(view, V3_VIEW_PLATFORM_TYPE_X11), V3_TRUE);
    EXPECT_EQ(table.is_platform_type_supported(view, V3_VIEW_PLATFORM_TYPE_HWND), V3_FALSE);
    table.set_frame(view, frame.frame());
    ASSERT_EQ(table.attached(view, handle, V3_VIEW_PLATFORM_TYPE_X11), V3_OK);
    runLoop.pump(cycle == 0 ? 300 : 20);
    roundTrip();
    EXPECT_EQ(childrenOf(parent).size(), 1u);
    EXPECT_EQ(runLoop.registrations(), 2u);
    EXPECT_EQ(table.removed(view), V3_OK);
    table.set_frame(view, nullptr);
    EXPECT_EQ(releaseOf(view), 0u);
    roundTrip();
    EXPECT_TRUE(childrenOf(parent).empty());
    EXPECT_EQ(runLoop.registrations(), 0u);
  }
  EXPECT_GT(runLoop.timerCalls, 0);
  EXPECT_EQ(frame.refs(), 1u);
  EXPECT_EQ(runLoop.refs(), 1u);
  EXPECT_EQ(openDescriptors(), descriptors);
}

}  // namespace
