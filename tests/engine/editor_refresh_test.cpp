// The editor's update flag crosses threads: a parameter set on the host's thread raises it, and
// the editor's thread takes it and shows the values. A refresh that takes the flag shows at least
// the change that raised it, so the last refresh shows the last change. The linux-tsan preset
// runs this case under ThreadSanitizer, which sees every access of both threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "support/recording_host.h"
#include "vst2/editor_base.h"
#include "vst2/overdrive_effect.h"

namespace {

constexpr int32_t kPreAmp = 2;

class ShowingEditor : public EditorBase {
 public:
  explicit ShowingEditor(EffectBase* owner) : EditorBase(owner) { owner->editor = this; }
  void update() override { shown.push_back(effect->getParameter(kPreAmp)); }
  std::vector<float> shown;
};

TEST(EditorRefresh, ChangesFromAnotherThreadAreShownInOrderUpToTheLast) {
  RecordingHost host;
  OverdriveEffect effect(RecordingHost::callback);
  auto* editor = new ShowingEditor(&effect);  // the effect owns it
  constexpr int kChanges = 20000;
  std::atomic<bool> done{false};
  std::thread hostThread([&] {
    for (int k = 1; k <= kChanges; ++k)
      effect.setParameter(kPreAmp, static_cast<float>(k) / kChanges);
    done.store(true);
  });
  while (!done.load()) editor->idle();
  hostThread.join();
  editor->idle();
  ASSERT_FALSE(editor->shown.empty());
  EXPECT_TRUE(std::is_sorted(editor->shown.begin(), editor->shown.end()));
  EXPECT_EQ(editor->shown.back(), 1.0f);
}

}  // namespace
