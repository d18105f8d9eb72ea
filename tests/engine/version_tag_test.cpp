// Finding and ordering version tags, and the question the guard asks.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "boxes.h"
#include "payload/guard.h"
#include "payload/version_tag.h"

namespace {

const std::string kAnchor = "$KLMR$VERBLK";

// An image with the anchor at `anchorAt` and `tag` (with its terminator
// unless `terminated` is false) `offset` bytes after the anchor's first byte.
std::string Image(size_t anchorAt, size_t offset, const std::string& tag, bool terminated = true, size_t tail = 16) {
  std::string image(anchorAt, 'x');
  image += kAnchor;
  image.resize(anchorAt + offset, '.');
  image += tag;
  if (terminated) image += '\0';
  image.append(tail, 'y');
  return image;
}

std::string TagOf(const std::string& image) {
  const unsigned char* data = reinterpret_cast<const unsigned char*>(image.data());
  long anchor = FindVersionAnchor(data, image.size());
  if (anchor < 0) return "<no anchor>";
  size_t length = 0;
  long tag = FindVersionTag(data, image.size(), size_t(anchor), &length);
  return tag < 0 ? "<no tag>" : image.substr(size_t(tag), length);
}

TEST(VersionTag, IsFoundOnlyInsideTheWindowAndTheData) {
  const struct {
    const char* what;
    std::string image;
    const char* tag;
  } cases[] = {
      {"the payload's layout", Image(500, 100, "Kelmor v1.4"), "Kelmor v1.4"},
      {"first window offset", Image(0, 92, "Kelmor v1.4"), "Kelmor v1.4"},
      {"last window offset", Image(0, 171, "Kelmor v1.4"), "Kelmor v1.4"},
      {"past the window", Image(0, 172, "Kelmor v1.4"), "<no tag>"},
      {"the prefix keeps its case", Image(0, 100, "KELMOR V1.40"), "<no tag>"},
      {"the first hit wins", Image(0, 92, "Kelmor v1.1") + std::string(20, 'z'), "Kelmor v1.1"},
      {"bare prefix", Image(0, 100, "Kelmor v"), "Kelmor v"},
      {"terminator past the data", Image(0, 100, "Kelmor v1.4", false, 0), "<no tag>"},
      {"prefix past the data", Image(0, 100, "Kelmor", false, 0), "<no tag>"},
      {"no anchor", std::string(300, 'x'), "<no anchor>"},
      {"anchor cut by the end", kAnchor.substr(0, 11), "<no anchor>"},
      {"empty", "", "<no anchor>"},
  };
  for (const auto& c : cases) EXPECT_EQ(TagOf(c.image), c.tag) << c.what;

  // The first anchor counts, even when only a later one has a tag.
  std::string twoAnchors = Image(0, 300, "") + Image(0, 100, "Kelmor v1.4");
  EXPECT_EQ(TagOf(twoAnchors), "<no tag>");
}

TEST(VersionTag, OrderIsTextualAndIgnoresCase) {
  const struct {
    const char* a;
    const char* b;
    int order;
  } cases[] = {
      {"Kelmor v1.4b", "Kelmor v1.4B", 0},
      {"Kelmor v1.5", "Kelmor v1.40", 1},  // text, not numbers: '5' after '4'
      {"Kelmor v1.3", "Kelmor v1.4", -1},
      {"Kelmor v", "Kelmor v1.0", -1},
      {"Kelmor v", "Kelmor v", 0},
      {"Kelmor v1.4\xE9", "Kelmor v1.4z", 1},  // bytes compare unsigned
  };
  for (const auto& c : cases) {
    int order = CompareVersionTags(c.a, c.b);
    EXPECT_EQ((order > 0) - (order < 0), c.order) << c.a << " vs " << c.b;
  }
}

VersionGuard Installed(const char* tag) {
  VersionGuard guard = {true, {}};
  snprintf(guard.installedTag, sizeof guard.installedTag, "%s", tag);
  return guard;
}

GuardDecision Compare(const VersionGuard& guard, const std::string& image) {
  return GuardCompare(&guard, reinterpret_cast<const unsigned char*>(image.data()), DWORD(image.size()));
}

TEST(GuardCompare, AsksOnlyWhenTheNewTagDoesNotSortAfterTheInstalledOne) {
  const struct {
    const char* installed;
    const char* newTag;
    const char* question;  // null: no question
  } cases[] = {
      {"Kelmor v1.3", "Kelmor v1.4", nullptr},
      {"Kelmor v", "Kelmor v1.4", nullptr},
      {"Kelmor v1.5", "Kelmor v1.40",
       "Patch version Kelmor v1.40 is not newer than installed version Kelmor v1.5\nDo you wish to continue?"},
      {"Kelmor v1.4b", "Kelmor v1.4B",
       "Patch version Kelmor v1.4B is the same as the installed version Kelmor v1.4b\nDo you wish to continue?"},
      {"Kelmor v", "Kelmor v",
       "Patch version Kelmor v is the same as the installed version Kelmor v\nDo you wish to continue?"},
      {"Kelmor v1.4", "Kelmor v1.3",
       "Patch version Kelmor v1.3 is not newer than installed version Kelmor v1.4\nDo you wish to continue?"},
  };
  for (const auto& c : cases) {
    BoxScript script({IDYES});
    EXPECT_EQ(Compare(Installed(c.installed), Image(64, 100, c.newTag)), GUARD_PROCEED) << c.installed;
    if (!c.question) {
      EXPECT_TRUE(script.Boxes().empty()) << c.installed;
      continue;
    }
    ASSERT_EQ(script.Boxes().size(), 1u) << c.installed;
    EXPECT_EQ(script.Boxes()[0].text, c.question);
    EXPECT_EQ(script.Boxes()[0].caption, "Kelmor Patch 1.4");
    EXPECT_EQ(script.Boxes()[0].style, 0x24u);
  }
}

TEST(GuardCompare, DeclinesOnAnythingButYes) {
  BoxScript script({IDNO});
  EXPECT_EQ(Compare(Installed("Kelmor v1.5"), Image(0, 100, "Kelmor v1.4")), GUARD_DECLINE);
  EXPECT_EQ(Compare(Installed("Kelmor v1.5"), Image(0, 100, "Kelmor v1.4")), GUARD_DECLINE);  // closed unanswered
}

TEST(GuardCompare, ProceedsSilentlyWithoutAnInstalledAnchorOrANewTag) {
  BoxScript script;
  VersionGuard inactive = Installed("Kelmor v9.9");
  inactive.active = false;
  EXPECT_EQ(Compare(inactive, Image(0, 100, "Kelmor v1.0")), GUARD_PROCEED);
  EXPECT_EQ(Compare(Installed("Kelmor v9.9"), std::string(400, 'x')), GUARD_PROCEED);
  EXPECT_EQ(Compare(Installed("Kelmor v9.9"), Image(0, 100, "KELMOR V1.40")), GUARD_PROCEED);
  EXPECT_TRUE(script.Boxes().empty());
}

TEST(GuardCompare, QuestionTextIsCutToItsBuffer) {
  BoxScript script({IDYES});
  std::string longTag = "Kelmor v1" + std::string(400, '9');
  EXPECT_EQ(Compare(Installed("Kelmor v9.9"), Image(0, 100, longTag.c_str())), GUARD_PROCEED);
  ASSERT_EQ(script.Boxes().size(), 1u);
  EXPECT_EQ(script.Boxes()[0].text.size(), 255u);
  EXPECT_EQ(script.Boxes()[0].text.rfind("Patch version Kelmor v1999", 0), 0u);
}

}  // namespace

namespace {

TEST(GuardScanInstalled, TakesTheInstalledTagOrTheBarePrefix) {
  const struct {
    const char* what;
    std::string installed;
    bool active;
    const char* tag;
  } cases[] = {
      {"tagged copy", Image(1000, 100, "Kelmor v1.3"), true, "Kelmor v1.3"},
      {"anchor without a tag", Image(0, 180, "Kelmor v1.3"), true, "Kelmor v"},
      {"no anchor", std::string(500, 'x') + "Kelmor v1.3", false, "Kelmor v"},
      {"empty copy", "", false, "Kelmor v"},
      {"a tag of 40 bytes or more keeps its first 39", Image(0, 100, "Kelmor v" + std::string(50, '7')), true,
       "Kelmor v7777777777777777777777777777777"},
      {"and never half a character", Image(0, 100, "Kelmor v" + std::string(30, '7') + "\x83\x5C\x83\x5C"), true,
       "Kelmor v777777777777777777777777777777"},  // byte 39 would be the first half of \x83\x5C
  };
  for (const auto& c : cases) {
    VersionGuard guard;
    memset(&guard, 0x55, sizeof guard);
    GuardScanInstalled(&guard, reinterpret_cast<const unsigned char*>(c.installed.data()), c.installed.size());
    EXPECT_EQ(guard.active, c.active) << c.what;
    EXPECT_STREQ(guard.installedTag, c.tag) << c.what;
  }
}

}  // namespace
