// Opening, sizing and closing the editor through the record, as a host does.
#include <gtest/gtest.h>

#include <string>

#include "dialog_controls.h"
#include "editor_host.h"
#include "vst2/editor_base.h"
#include "vst2/effect_base.h"
#include "vst2/overdrive_editor.h"

namespace {

using EditorLifecycle = EditorHost;

// The dialog manager converts position and size apart, so the right edge is the converted
// left edge plus the converted width.
RECT dialogUnits(HWND dialog, int x, int y, int cx, int cy) {
  RECT rect = {x, y, cx, cy};
  MapDialogRect(dialog, &rect);
  return {rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
}

TEST_F(EditorLifecycle, TheRecordAnnouncesAnEditor) {
  EXPECT_EQ(record->flags, 21);
  EXPECT_NE(effectOf(record)->editor, nullptr);
}

TEST_F(EditorLifecycle, GetRectAnswersOnlyWhileADialogExists) {
  ERect marker{};
  ERect* rect = &marker;
  EXPECT_EQ(send(record, effEditGetRect, 0, &rect), 0);
  EXPECT_EQ(rect, &marker) << "the host's pointer is untouched before open";

  HWND dialog = openEditor(record, parent);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(send(record, effEditGetRect, 0, nullptr), 0) << "nowhere to write: nothing written";
  ASSERT_EQ(send(record, effEditGetRect, 0, &rect), 1);
  RECT client;
  GetClientRect(dialog, &client);
  const RECT template_ = dialogUnits(dialog, 0, 0, 243, 201);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, client.bottom);
  EXPECT_EQ(rect->right, client.right);
  EXPECT_EQ(client.right, template_.right) << "243 dialog units wide";
  EXPECT_EQ(client.bottom, template_.bottom) << "201 dialog units tall";

  send(record, effEditClose);
  rect = &marker;
  EXPECT_EQ(send(record, effEditGetRect, 0, &rect), 0);
  EXPECT_EQ(rect, &marker);
}

TEST_F(EditorLifecycle, TheDialogIsAVisibleChildCarryingItsEditor) {
  HWND dialog = openEditor(record, parent);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetParent(dialog), parent);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)) & 0xFFFF0000u,
            0x40000000u | WS_VISIBLE)
      << "WS_CHILD, shown by open";
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  const auto* editor = static_cast<OverdriveEditor*>(effectOf(record)->editor);
  EXPECT_EQ(GetPropA(dialog, "ADEDITOR"), &editor->view());
}

// The controls as a user meets them: class, identifier, style and place, in tab order.
TEST_F(EditorLifecycle, EveryControlStandsWhereTheTemplateSays) {
  HWND dialog = openEditor(record, parent);
  ASSERT_NE(dialog, nullptr);
  HWND control = GetWindow(dialog, GW_CHILD);
  for (const DialogControl& expected : dialogControls()) {
    SCOPED_TRACE("control " + std::to_string(&expected - dialogControls().data() + 1));
    ASSERT_NE(control, nullptr);
    char name[64];
    GetClassNameA(control, name, sizeof name);
    EXPECT_STREQ(name, expected.windowClass());
    EXPECT_EQ(GetDlgCtrlID(control) & 0xFFFF, expected.id & 0xFFFF);
    // Controls may add bits of their own; the template's bits must all be there.
    const auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    EXPECT_EQ(style & expected.style, expected.style) << std::hex << style;
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    const RECT wanted = dialogUnits(dialog, expected.x, expected.y, expected.cx, expected.cy);
    EXPECT_EQ(place.left, wanted.left);
    EXPECT_EQ(place.top, wanted.top);
    if ((expected.style & SS_TYPEMASK) == SS_ICON && expected.kind == ControlKind::staticControl) {
      EXPECT_EQ(place.right - place.left, 32) << "icon statics take their icon's size";
      EXPECT_EQ(place.bottom - place.top, 32);
    } else {
      EXPECT_EQ(place.right, wanted.right);
      EXPECT_EQ(place.bottom, wanted.bottom);
    }
    control = GetWindow(control, GW_HWNDNEXT);
  }
  EXPECT_EQ(control, nullptr) << "no twentieth control";
}

TEST_F(EditorLifecycle, SlidersRunFrom0To1000WithTicsEvery250) {
  HWND dialog = openEditor(record, parent);
  ASSERT_NE(dialog, nullptr);
  for (int id : {666, 667, 668, 669, 670}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMAX, 0, 0), 1000);
    ASSERT_EQ(SendDlgItemMessageA(dialog, id, TBM_GETNUMTICS, 0, 0), 5) << "both ends and 3";
    for (int tic = 0; tic < 3; ++tic) {
      EXPECT_EQ(SendDlgItemMessageA(dialog, id, TBM_GETTIC, tic, 0), 250 * (tic + 1));
    }
  }
}

TEST_F(EditorLifecycle, NestedOpensShareOneDialogUntilTheLastClose) {
  HWND dialog = openEditor(record, parent);
  ASSERT_NE(dialog, nullptr);
  HWND otherParent = makeParentWindow();
  EXPECT_EQ(send(record, effEditOpen, 0, otherParent), 1);
  EXPECT_TRUE(dialogsOf(otherParent).empty()) << "the second open creates nothing";
  EXPECT_EQ(dialogsOf(parent).size(), 1u);

  send(record, effEditClose);
  EXPECT_TRUE(IsWindow(dialog)) << "the first close leaves the dialog";
  send(record, effEditClose);
  EXPECT_FALSE(IsWindow(dialog));
  DestroyWindow(otherParent);
}

TEST_F(EditorLifecycle, StrayClosesDoNotStopTheNextOpen) {
  send(record, effEditClose);
  send(record, effEditClose);
  HWND dialog = openEditor(record, parent);
  ASSERT_NE(dialog, nullptr) << "the count never went below zero";
  send(record, effEditClose);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(EditorLifecycle, ReopeningAfterCloseBuildsAFreshWorkingDialog) {
  HWND first = openEditor(record, parent);
  send(record, effEditClose);
  EXPECT_FALSE(IsWindow(first));
  HWND second = openEditor(record, parent);
  ASSERT_NE(second, nullptr);
  record->setParameter(record, 2, 0.25f);
  send(record, effEditIdle);
  EXPECT_EQ(sliderPosition(second, 668), 750);
}

TEST_F(EditorLifecycle, AFailedOpenAnswersZeroAndDoesNotCount) {
  HWND gone = makeParentWindow();
  DestroyWindow(gone);
  EXPECT_EQ(send(record, effEditOpen, 0, gone), 0);
  ERect* rect = nullptr;
  EXPECT_EQ(send(record, effEditGetRect, 0, &rect), 0);

  HWND dialog = openEditor(record, parent);
  ASSERT_NE(dialog, nullptr) << "the failed open left nothing counted";
  send(record, effEditClose);
  EXPECT_FALSE(IsWindow(dialog)) << "one close matches the one successful open";
}

// A host may destroy its window without effEditClose, taking the dialog with it, after one
// open or after nested ones. The editor then counts as closed.
TEST_F(EditorLifecycle, AHostThatDestroysItsWindowLeavesTheEditorClosed) {
  for (int opens : {1, 2}) {
    SCOPED_TRACE(std::to_string(opens) + " open(s) before the window went");
    HWND dialog = openEditor(record, parent);
    ASSERT_NE(dialog, nullptr);
    for (int more = 1; more < opens; ++more) send(record, effEditOpen, 0, parent);
    const RECT template_ = dialogUnits(dialog, 0, 0, 243, 201);
    DestroyWindow(parent);
    parent = makeParentWindow();
    ASSERT_FALSE(IsWindow(dialog));

    ERect* rect = nullptr;
    ASSERT_EQ(send(record, effEditGetRect, 0, &rect), 1);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->right, template_.right) << "the size the template gives";
    EXPECT_EQ(rect->bottom, template_.bottom);

    HWND fresh = openEditor(record, parent);
    ASSERT_NE(fresh, nullptr) << "the next open shows a dialog";
    EXPECT_TRUE(IsWindowVisible(fresh));
    record->setParameter(record, 2, 0.25f);
    pump(400);  // the new dialog's own timer refreshes it
    EXPECT_EQ(sliderPosition(fresh, 668), 750);
    send(record, effEditClose);
    EXPECT_FALSE(IsWindow(fresh)) << "one close matches the one open since the window went";
  }
}

TEST_F(EditorLifecycle, TwoInstancesEachShowTheirOwnDialog) {
  AEffect* second = createInstance();
  ASSERT_NE(second, nullptr);
  HWND secondParent = makeParentWindow();
  HWND first = openEditor(record, parent);
  HWND other = openEditor(second, secondParent);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_NE(GetPropA(first, "ADEDITOR"), GetPropA(other, "ADEDITOR"));

  second->setParameter(second, 2, 1.0f);
  send(second, effEditIdle);
  send(record, effEditIdle);
  EXPECT_EQ(sliderPosition(other, 668), 0);
  EXPECT_EQ(sliderPosition(first, 668), 1000) << "each dialog shows its own instance";

  // Closing in the order opposite to opening leaves no dialog behind.
  send(record, effEditClose);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(IsWindow(other));
  send(second, effEditClose);
  EXPECT_FALSE(IsWindow(other));
  DestroyWindow(secondParent);
}

TEST_F(EditorLifecycle, DestroyingThePluginWithItsEditorOpenClosesTheDialog) {
  HWND dialog = openEditor(record, parent);
  ASSERT_NE(dialog, nullptr);
  closeInstance(record);
  record = nullptr;
  EXPECT_FALSE(IsWindow(dialog));
  pump(700);  // timer ticks would now reach a destroyed editor
  EXPECT_TRUE(dialogsOf(parent).empty());
}

}  // namespace
