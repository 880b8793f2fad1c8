#include "editor/overdrive_editor_x11.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <new>

#include "editor/dialog_layout.h"
#include "editor/display_scale.h"
#include "editor/module_directory.h"
#include "editor/shell_linux.h"
#include "editor/web_site.h"
#include "editor/x11_window.h"
#include "host/aeffect.h"
#include "host/effect_base.h"

namespace {

// Handed to the host by getRect; shared by all editors.
ERect editorRect;
// The scale of the last window opened; before any, what is known without a display.
double lastScale = 0.0;

constexpr std::chrono::milliseconds kRefreshPeriod{300};

}  // namespace

OverdriveEditor::OverdriveEditor(EffectBase* owner) : EditorBase(owner) {
  effect->editor = this;
  effect->effectRecord.flags |= effFlagsHasEditor;
  readModuleDirectoryOnce();
}

OverdriveEditor::~OverdriveEditor() { destroyWindow(); }

intptr_t OverdriveEditor::getRect(ERect** rect) {
  if (!rect) return 0;
  if (lastScale == 0.0) lastScale = displayScale(std::getenv("GDK_SCALE"), nullptr);
  const double scale = window ? window->scale() : lastScale;
  editorRect.top = 0;
  editorRect.left = 0;
  editorRect.bottom = static_cast<int16_t>(std::lround(verticalPixels(kDialogHeightUnits) * scale));
  editorRect.right = static_cast<int16_t>(std::lround(horizontalPixels(kDialogWidthUnits) * scale));
  *rect = &editorRect;
  return 1;
}

intptr_t OverdriveEditor::open(void* parent) {
  if (opens.nests()) return 1;
  window = new (std::nothrow) X11Window(*effect, *this);
  if (!window) return 0;
  // The host's window is an XID carried in the pointer.
  if (!window->create(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parent)))) {
    destroyWindow();
    return 0;
  }
  parentWindow = parent;
  lastScale = window->scale();
  opens.firstOpened();
  // Shown with the current values at once, for hosts that are slow to call idle or never do.
  postUpdate();
  idle();
  return 1;
}

void OverdriveEditor::close() {
  if (opens.lastClosed()) destroyWindow();
}

void OverdriveEditor::destroyWindow() {
  delete window;
  window = nullptr;
  opens.reset();
  reapLaunchedPrograms();
}

void OverdriveEditor::idle() {
  reapLaunchedPrograms();
  if (!window) return;
  window->pump();
  const auto now = std::chrono::steady_clock::now();
  // Cleared before the values are read, so a change during the refresh shows next time.
  if (updatePending != 0 || now - lastRefresh >= kRefreshPeriod) {
    updatePending = 0;
    lastRefresh = now;
    update();
  }
  window->repaintIfDirty();
}

void OverdriveEditor::update() {
  if (window) refreshControls(*effect, window->state());
}

// A manual that is not there opens nothing.
void OverdriveEditor::openDocumentation() {
  composeDocumentationPath('/');
  if (access(documentationPath, R_OK) == 0) openWithDesktop(documentationPath);
}

void OverdriveEditor::openWebSite() { openWithDesktop(webSiteAddress); }
