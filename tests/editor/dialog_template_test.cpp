// The resources as the plug-in file holds them: the extended dialog template "METALUI" byte by
// byte, and the three group icons.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog_controls.h"
#include "editor/web_site.h"
#include "editor_host.h"

namespace {

constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// Reads a resource through the loaded plug-in file.
std::vector<unsigned char> resourceBytes(LPCSTR type, LPCSTR name) {
  const HMODULE module = LoadedPlugin::get().module();
  HRSRC found = FindResourceExA(module, type, name, kEnglishUs);
  if (!found) return {};
  const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  return std::vector<unsigned char>(data, data + SizeofResource(module, found));
}

class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}
  uint16_t word() {
    uint16_t value = 0;
    if (at_ + 2 <= bytes_.size()) std::memcpy(&value, &bytes_[at_], 2);
    at_ += 2;
    return value;
  }
  uint32_t dword() {
    const uint32_t low = word();
    return low | (static_cast<uint32_t>(word()) << 16);
  }
  int16_t shortValue() { return static_cast<int16_t>(word()); }
  // A string, "#n" for an ordinal, "" for none.
  std::string nameOrOrdinal() {
    const uint16_t first = word();
    if (first == 0xFFFF) return "#" + std::to_string(word());
    std::string text;
    for (uint16_t c = first; c != 0; c = word()) text += static_cast<char>(c);
    return text;
  }
  void alignToDword() { at_ = (at_ + 3) & ~size_t{3}; }
  bool exhausted() const { return at_ >= bytes_.size(); }

 private:
  const std::vector<unsigned char>& bytes_;
  size_t at_ = 0;
};

TEST(DialogTemplate, HeaderIsTheExtendedTemplateAsTabled) {
  const std::vector<unsigned char> bytes = resourceBytes(RT_DIALOG, "METALUI");
  ASSERT_FALSE(bytes.empty());
  TemplateReader reader(bytes);
  EXPECT_EQ(reader.word(), 1) << "version";
  EXPECT_EQ(reader.word(), 0xFFFF) << "signature";
  EXPECT_EQ(reader.dword(), 0u) << "help identifier";
  EXPECT_EQ(reader.dword(), 0x00000200u) << "WS_EX_CLIENTEDGE";
  EXPECT_EQ(reader.dword(), 0x40000044u) << "WS_CHILD | DS_SETFONT | DS_3DLOOK, not visible";
  EXPECT_EQ(reader.word(), 19) << "controls";
  EXPECT_EQ(reader.shortValue(), 0);
  EXPECT_EQ(reader.shortValue(), 0);
  EXPECT_EQ(reader.shortValue(), 243);
  EXPECT_EQ(reader.shortValue(), 201);
  EXPECT_EQ(reader.nameOrOrdinal(), "") << "menu";
  EXPECT_EQ(reader.nameOrOrdinal(), "") << "window class";
  EXPECT_EQ(reader.nameOrOrdinal(), "") << "title";
  EXPECT_EQ(reader.word(), 8) << "points";
  EXPECT_EQ(reader.word(), 0) << "weight";
  const uint16_t italicAndCharset = reader.word();
  EXPECT_EQ(italicAndCharset & 0xFF, 0) << "italic";
  EXPECT_EQ(italicAndCharset >> 8, DEFAULT_CHARSET);
  EXPECT_EQ(reader.nameOrOrdinal(), "MS Sans Serif");

  for (size_t i = 0; i < dialogControls().size(); ++i) {
    SCOPED_TRACE("control " + std::to_string(i + 1));
    const DialogControl& expected = dialogControls()[i];
    reader.alignToDword();
    EXPECT_EQ(reader.dword(), 0u) << "help identifier";
    EXPECT_EQ(reader.dword(), 0u) << "extended style";
    EXPECT_EQ(reader.dword(), expected.style);
    EXPECT_EQ(reader.shortValue(), expected.x);
    EXPECT_EQ(reader.shortValue(), expected.y);
    EXPECT_EQ(reader.shortValue(), expected.cx);
    EXPECT_EQ(reader.shortValue(), expected.cy);
    EXPECT_EQ(static_cast<int32_t>(reader.dword()), expected.id);
    EXPECT_EQ(reader.nameOrOrdinal(), expected.templateClass());
    const std::string caption = reader.nameOrOrdinal();
    if (i == kCreditLine) {
      EXPECT_NE(caption.find("OverDrive"), std::string::npos) << caption;
      EXPECT_NE(caption.find("v1.2"), std::string::npos) << caption;
    } else {
      EXPECT_EQ(caption, expected.caption);
    }
    EXPECT_EQ(reader.word(), 0) << "creation data";
  }
  reader.alignToDword();
  EXPECT_TRUE(reader.exhausted()) << "nothing after the 19th control";
}

TEST(DialogTemplate, WebAddressNamesOnlyTheHost) {
  const std::string address = webSiteAddress;
  const size_t host = address.find("://");
  ASSERT_NE(host, std::string::npos);
  EXPECT_EQ(address.find('/', host + 3), std::string::npos) << address;
}

TEST(DialogIcons, EachIsOne32x32ImageWith16Colours) {
  for (int id : {102, 103, 104}) {
    SCOPED_TRACE("icon " + std::to_string(id));
    const std::vector<unsigned char> group = resourceBytes(RT_GROUP_ICON, MAKEINTRESOURCEA(id));
    ASSERT_EQ(group.size(), 6u + 14u);
    TemplateReader reader(group);
    EXPECT_EQ(reader.word(), 0);
    EXPECT_EQ(reader.word(), 1) << "icon, not cursor";
    EXPECT_EQ(reader.word(), 1) << "images";
    EXPECT_EQ(reader.word(), 32 | (32 << 8)) << "32 x 32";
    EXPECT_EQ(reader.word(), 16) << "16 colours";
    EXPECT_EQ(reader.word(), 1) << "planes";
    EXPECT_EQ(reader.word(), 4) << "bits per pixel";
    EXPECT_EQ(reader.dword(), 744u) << "bytes";
    const uint16_t image = reader.word();
    EXPECT_EQ(resourceBytes(RT_ICON, MAKEINTRESOURCEA(image)).size(), 744u);
  }
}

}  // namespace
