// A minimal X11 host that takes a picture of the Linux editor:
//   editor_snapshot <plug-in file> <output .png>
// It loads the plug-in, selects program "Drive" (varied positions), sizes a top-level window to
// the editor's rectangle, opens the editor in it, lets it draw, and writes the window's pixels.
// $DISPLAY names the server (the script runs it under Xvfb); GDK_SCALE scales the editor.
#include <cairo.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "tools/hosting/host_callback.h"
#include "tools/hosting/plugin_library.h"
#include "vst2/aeffect.h"
#include "vst2/editor_base.h"

namespace {

int fail(const char* what) {
  std::fprintf(stderr, "editor_snapshot: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return fail("usage: editor_snapshot <plug-in file> <output .png>");
  std::unique_ptr<PluginLibrary> library;
  AEffect* effect = nullptr;
  try {
    library = std::make_unique<PluginLibrary>(argv[1]);
    effect = library->instantiate(answeringHost<>);
  } catch (const std::runtime_error& error) {
    return fail(error.what());
  }
  if (!(effect->flags & effFlagsHasEditor)) return fail("the plug-in was built without its editor");
  effect->dispatcher(effect, effSetProgram, 0, 2, nullptr, 0.0f);

  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) return fail("no X display");
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  ERect* rect = nullptr;
  effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f);
  if (!rect) return fail("no editor size");
  const uint16_t width = static_cast<uint16_t>(rect->right),
                 height = static_cast<uint16_t>(rect->bottom);
  const xcb_window_t window = xcb_generate_id(connection);
  const uint32_t background = screen->white_pixel;
  xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, width, height, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL,
                    &background);
  xcb_map_window(connection, window);
  xcb_flush(connection);
  const auto parent = static_cast<uintptr_t>(window);
  if (effect->dispatcher(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(parent), 0.0f) != 1)
    return fail("the editor did not open");
  for (int i = 0; i < 20; ++i) {
    effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
    usleep(20000);
  }
  free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

  xcb_get_image_reply_t* image = xcb_get_image_reply(
      connection,
      xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, width, height, ~0u),
      nullptr);
  if (!image || xcb_get_image_data_length(image) < width * height * 4) return fail("no pixels");
  cairo_surface_t* picture = cairo_image_surface_create_for_data(
      xcb_get_image_data(image), CAIRO_FORMAT_RGB24, width, height, width * 4);
  const cairo_status_t written = cairo_surface_write_to_png(picture, argv[2]);
  cairo_surface_destroy(picture);
  free(image);

  effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  xcb_disconnect(connection);
  return written == CAIRO_STATUS_SUCCESS ? 0 : fail("the picture could not be written");
}
