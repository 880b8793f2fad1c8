// The VST3 view under Wine, driven as Windows VST3 hosts drive it: the dialog in the host's
// HWND, idling on its own timer (no run loop), and each removed() takes it away again.
#include <string>

#include "editor_host.h"
#include "support/plugin_file.h"
#include "tools/hosting/vst3_session.h"
#include "vst3_view_host.h"

namespace {

using Vst3ViewWin32 = EditorHost;

TEST_F(Vst3ViewWin32, FiftyAttachesAndRemovalsLeaveNothingBehind) {
  const Vst3Bundle bundle(builtTreeRoot() + "Vorra OverDrive.vst3");
  const auto session = bundle.openSession();
  TestPlugFrame frame;
  for (int32_t cycle = 0; cycle < 50; ++cycle) {
    SCOPED_TRACE(cycle);
    v3_plugin_view** view = createEditorView(session->controller());
    ASSERT_NE(view, nullptr);
    const v3_plugin_view& table = viewTable(view);
    EXPECT_EQ(table.is_platform_type_supported(view, V3_VIEW_PLATFORM_TYPE_HWND), V3_TRUE);
    EXPECT_EQ(table.is_platform_type_supported(view, V3_VIEW_PLATFORM_TYPE_X11), V3_FALSE);
    table.set_frame(view, frame.frame());
    ASSERT_EQ(table.attached(view, parent, V3_VIEW_PLATFORM_TYPE_HWND), V3_OK);
    pump(cycle == 0 ? 400 : 20);
    EXPECT_EQ(dialogsOf(parent).size(), 1u);
    EXPECT_EQ(table.removed(view), V3_OK);
    table.set_frame(view, nullptr);
    EXPECT_EQ(releaseOf(view), 0u);
    pump(0);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
  }
  EXPECT_EQ(frame.refs(), 1u);
}

}  // namespace
