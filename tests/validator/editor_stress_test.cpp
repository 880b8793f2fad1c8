// The editor as busy hosts use it, under Wine: hundreds of open/close cycles across two
// instances, instances closed with their editor open, the editor driven while another thread
// processes. No dialog may outlive its editor, and no timer tick may reach a closed one.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <atomic>
#include <memory>
#include <thread>

#include "validator/validator_host.h"

namespace {

constexpr int kSliders[] = {666, 667, 668, 669, 670};

HWND makeParent() {
  static const ATOM windowClass = [] {
    WNDCLASSA c{};
    c.lpfnWndProc = DefWindowProcA;
    c.hInstance = GetModuleHandleA(nullptr);
    c.lpszClassName = "ValidatorParent";
    return RegisterClassA(&c);
  }();
  return CreateWindowA(MAKEINTATOM(windowClass), "host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 340,
                       nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

int childDialogs(HWND parent) {
  int count = 0;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) ++count;
  return count;
}

BOOL CALLBACK countWindow(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

int threadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Runs the message loop for about `ms` milliseconds; answers how many timer messages came for
// windows that no longer exist.
int pump(DWORD ms) {
  int stray = 0;
  const DWORD end = GetTickCount() + ms;
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_TIMER && message.hwnd && !IsWindow(message.hwnd)) ++stray;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
  return stray;
}

// The dialog that `open` put under `parent`, or null.
HWND openEditor(Instance& instance, HWND parent) {
  if (instance.dispatch(effEditOpen, 0, 0, parent) != 1) return nullptr;
  return GetWindow(parent, GW_CHILD);
}

// A user's drag: the slider moves and tells the dialog, which sets the parameter.
void drag(HWND dialog, int slider, int position) {
  HWND control = GetDlgItem(dialog, slider);
  SendMessageA(control, TBM_SETPOS, TRUE, position);
  SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
               reinterpret_cast<LPARAM>(control));
}

using EditorStress = ValidatorTest;

TEST_F(EditorStress, HundredsOfCyclesAcrossTwoInstancesLeaveNothingBehind) {
  HWND parents[2] = {makeParent(), makeParent()};
  const int windowsBefore = threadWindows();
  std::unique_ptr<Instance> instances[2] = {std::make_unique<Instance>(plugin.entry()),
                                            std::make_unique<Instance>(plugin.entry())};
  for (int i = 0; i < 300; ++i) {
    const int k = static_cast<int>(random() % 2);
    Instance& instance = *instances[k];
    HWND dialog = openEditor(instance, parents[k]);
    ASSERT_NE(dialog, nullptr) << "cycle " << i;
    // Opened twice, as some hosts do: one dialog, closed by the matching second close.
    if (i % 5 == 0) {
      ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, parents[k]), 1);
    }
    drag(dialog, kSliders[i % 5], static_cast<int>(random() % 1001));
    instance.dispatch(effEditIdle);
    if (i % 7 == 0) {
      ASSERT_EQ(pump(20), 0);
    }
    if (i % 25 == 0) {
      // The host drops the instance with its editor still open.
      instances[k] = std::make_unique<Instance>(plugin.entry());
    } else {
      instance.dispatch(effEditClose);
      if (i % 5 == 0) instance.dispatch(effEditClose);
    }
    ASSERT_FALSE(IsWindow(dialog)) << "cycle " << i;
    ASSERT_EQ(childDialogs(parents[k]), 0) << "cycle " << i;
  }
  instances[0].reset();
  instances[1].reset();
  EXPECT_EQ(pump(700), 0) << "no tick of the 300 ms timer reaches a closed dialog";
  EXPECT_EQ(threadWindows(), windowsBefore) << "only the host's own windows remain";
  for (HWND parent : parents) DestroyWindow(parent);
}

TEST_F(EditorStress, EditorDrivenWhileAnotherThreadProcesses) {
  Instance instance(plugin.entry());
  HWND parent = makeParent();
  std::atomic<bool> done{false};
  std::atomic<bool> finite{true};
  std::atomic<int> blocks{0};
  std::thread audio([&] {
    std::mt19937 noise(9);
    StereoBlock block(256);
    while (!done.load()) {
      block.fillNoise(noise, 1.0f);
      instance.run(block, Entry::replacing);
      for (size_t i = 0; i < block.frames(); ++i)
        if (!std::isfinite(block.outLeft[i]) || !std::isfinite(block.outRight[i]))
          finite.store(false);
      blocks.fetch_add(1);
    }
  });
  for (int i = 0; i < 40; ++i) {
    HWND dialog = openEditor(instance, parent);
    ASSERT_NE(dialog, nullptr) << "cycle " << i;
    for (int k = 0; k < 10; ++k) drag(dialog, kSliders[k % 5], static_cast<int>(random() % 1001));
    SendDlgItemMessageA(dialog, 6660, BM_CLICK, 0, 0);
    EXPECT_EQ(pump(i % 10 == 0 ? 320 : 10), 0);  // some cycles see a timer tick
    instance.dispatch(effEditClose);
    ASSERT_FALSE(IsWindow(dialog));
  }
  done.store(true);
  audio.join();
  EXPECT_TRUE(finite.load());
  EXPECT_GT(blocks.load(), 0);
  EXPECT_EQ(childDialogs(parent), 0);
  DestroyWindow(parent);
}

}  // namespace
