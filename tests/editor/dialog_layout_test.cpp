// The self-drawn dialog's data against the Windows resources: the same controls, in the same
// order, at the same places as the template in resources/metalui.rc, and the same icons.
#include "editor/dialog_layout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "editor/display_scale.h"
#include "editor/icon_image.h"
#include "resources/metalui_ids.h"

namespace {

struct TemplateControl {
  std::string id;
  int32_t x, y, width, height;
};

// The CONTROL statements of the template: identifier and rectangle, in order.
std::vector<TemplateControl> templateControls() {
  std::ifstream in(VORRA_SOURCE_DIR "/resources/metalui.rc");
  const std::regex control(
      R"(^\s*CONTROL .*, (-1|IDC_\w+), [^,]+, 0x[0-9A-Fa-f]+, (\d+), (\d+), (\d+), (\d+)\s*$)");
  std::vector<TemplateControl> found;
  std::smatch match;
  for (std::string line; std::getline(in, line);) {
    if (std::regex_match(line, match, control)) {
      found.push_back({match[1], std::stoi(match[2]), std::stoi(match[3]), std::stoi(match[4]),
                       std::stoi(match[5])});
    }
  }
  return found;
}

int32_t idOf(const std::string& name) {
  const std::pair<const char*, int32_t> ids[] = {{"-1", -1},
                                                 {"IDC_PREBAND_SLIDER", IDC_PREBAND_SLIDER},
                                                 {"IDC_COLOR_SLIDER", IDC_COLOR_SLIDER},
                                                 {"IDC_PREAMP_SLIDER", IDC_PREAMP_SLIDER},
                                                 {"IDC_POSTFILTER_SLIDER", IDC_POSTFILTER_SLIDER},
                                                 {"IDC_POSTGAIN_SLIDER", IDC_POSTGAIN_SLIDER},
                                                 {"IDC_X100_CHECKBOX", IDC_X100_CHECKBOX},
                                                 {"IDC_DOCS_BUTTON", IDC_DOCS_BUTTON},
                                                 {"IDC_WEB_BUTTON", IDC_WEB_BUTTON}};
  for (auto [text, id] : ids) {
    if (name == text) return id;
  }
  return -2;
}

TEST(DialogLayout, MatchesTheTemplate) {
  const std::vector<TemplateControl> controls = templateControls();
  ASSERT_EQ(controls.size(), static_cast<size_t>(kDialogControlCount));
  for (int32_t i = 0; i < kDialogControlCount; ++i) {
    SCOPED_TRACE(i);
    const DialogControl& ours = kDialogControls[i];
    EXPECT_EQ(ours.id, idOf(controls[i].id));
    EXPECT_EQ(ours.x, controls[i].x);
    EXPECT_EQ(ours.y, controls[i].y);
    EXPECT_EQ(ours.width, controls[i].width);
    EXPECT_EQ(ours.height, controls[i].height);
    EXPECT_EQ(ours.tabStop, ours.id > 0) << "the controls with identifiers are the tab stops";
  }
  // 243 x 201 units as Wine lays out the Windows dialog: 425 x 327 pixels.
  EXPECT_EQ(horizontalPixels(kDialogWidthUnits), 425);
  EXPECT_EQ(verticalPixels(kDialogHeightUnits), 327);
}

TEST(DialogLayout, IconsDecodeWithTheirTransparency) {
  for (int32_t id : {IDI_KNOB, IDI_FLAME, IDI_BOLT}) {
    SCOPED_TRACE(id);
    const IconFile* file = iconFile(id);
    ASSERT_NE(file, nullptr);
    IconImage image;
    ASSERT_TRUE(decodeIcon(file->bytes, file->size, image));
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height, 32);
    EXPECT_EQ(image.pixels[0], 0u) << "the corner is clear";
    EXPECT_EQ(image.pixels[16 * 32 + 16] >> 24, 0xFFu) << "the middle is opaque";
    IconImage cut;
    EXPECT_FALSE(decodeIcon(file->bytes, file->size - 1, cut)) << "a file cut short";
    EXPECT_TRUE(cut.pixels.empty());
  }
  EXPECT_EQ(iconFile(101), nullptr);
}

TEST(DisplayScale, GdkScaleFirstThenXftDpi) {
  struct Case {
    const char* gdkScale;
    const char* resources;
    double scale;
  };
  const Case cases[] = {
      {nullptr, nullptr, 1.0},
      {"2", nullptr, 2.0},
      {"2", "Xft.dpi:\t96\n", 2.0},
      {nullptr, "Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n", 1.5},
      {"", "Xft.dpi: 192", 2.0},
      {"abc", "Xft.dpi:\t120\n", 1.25},
      {"0", "Xft.dpi:\t72\n", 1.0},
      {nullptr, "XXft.dpi:\t192\n", 1.0},
      {"9", nullptr, 4.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(displayScale(c.gdkScale, c.resources), c.scale)
        << (c.gdkScale ? c.gdkScale : "-") << " / " << (c.resources ? c.resources : "-");
  }
}

}  // namespace
