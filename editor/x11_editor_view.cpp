#include "editor/x11_editor_view.h"

#include <unistd.h>

#include <cstdlib>
#include <new>

#include "editor/control_actions.h"
#include "editor/dialog_layout.h"
#include "editor/display_scale.h"
#include "editor/module_directory.h"
#include "editor/parameter_port.h"
#include "editor/shell_linux.h"
#include "editor/web_site.h"
#include "editor/x11_window.h"

namespace {

constexpr std::chrono::milliseconds kRefreshPeriod{300};

}  // namespace

X11EditorView::X11EditorView(ParameterPort& parameters) : port(parameters) {
  readModuleDirectoryOnce();
}

X11EditorView::~X11EditorView() { close(); }

bool X11EditorView::open(uint32_t parent, double scale) {
  close();
  window = new (std::nothrow) X11Window(port, *this);
  if (!window) return false;
  if (!window->create(parent, scale)) {
    close();
    return false;
  }
  // Shown with the current values at once, for hosts that are slow to call idle or never do.
  refresh();
  window->repaintIfDirty();
  lastRefresh = std::chrono::steady_clock::now();
  return true;
}

void X11EditorView::close() {
  delete window;
  window = nullptr;
  reapLaunchedPrograms();
}

void X11EditorView::idle() {
  reapLaunchedPrograms();
  if (!window) return;
  window->pump();
  const auto now = std::chrono::steady_clock::now();
  // The news is taken before the values are read, so a change during the refresh shows next time.
  if (port.takeChanges() || now - lastRefresh >= kRefreshPeriod) {
    lastRefresh = now;
    refresh();
  }
  window->repaintIfDirty();
}

void X11EditorView::refresh() {
  if (window) refreshControls(port, window->state());
}

double X11EditorView::scale() const { return window ? window->scale() : 0.0; }
int32_t X11EditorView::width() const { return window ? window->width() : 0; }
int32_t X11EditorView::height() const { return window ? window->height() : 0; }
int X11EditorView::fileDescriptor() const { return window ? window->fileDescriptor() : -1; }
void X11EditorView::expectedSize(double scale, int32_t& w, int32_t& h) const {
  if (window) {
    w = width();
    h = height();
    return;
  }
  if (scale <= 0.0) scale = displayScale(std::getenv("GDK_SCALE"), nullptr);
  w = dialogPixelWidth(scale);
  h = dialogPixelHeight(scale);
}

uint32_t X11EditorView::windowId() const { return window ? window->id() : 0; }

// A manual that is not there opens nothing.
void X11EditorView::openDocumentation() {
  composeDocumentationPath('/');
  if (access(documentationPath, R_OK) == 0) openWithDesktop(documentationPath);
}

void X11EditorView::openWebSite() { openWithDesktop(webSiteAddress); }
