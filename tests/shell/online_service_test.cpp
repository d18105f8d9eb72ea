// Phase 5: service detection, the offer, the installer launch and the
// launch or download shortcut.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "boxes.h"
#include "messages/messages.h"
#include "files.h"
#include "registry.h"
#include "shell/online_service.h"
#include "shell/shortcut.h"
#include "shortcuts.h"
#include "start_menu.h"

namespace {

const char kServiceKey[] = "Software\\GameSpy\\GameSpy Arcade";
const char kLaunchName[] = "Launch GameSpy Arcade and Play Kelmor Online";
const char kDownloadName[] = "Download GameSpy Arcade to Play Kelmor Online";
const char kDefaultServicePath[] = "C:\\Program Files\\GameSpy Arcade\\Aphex.exe";

std::string LoadedString(UINT id) {
  char text[LONG_TEXT_BUFFER];
  int length = LoadStringA(nullptr, id, text, sizeof text);
  return std::string(text, length > 0 ? length : 0);
}

class OnlineService : public testing::Test {
 protected:
  // A registered service whose folder is `folder`, with or without Aphex.exe.
  void RegisterService(const std::string& folder, bool withExecutable) {
    registry_.SetString(kServiceKey, "InstDir", folder);
    if (withExecutable) {
      ASSERT_TRUE(WriteTestFile(folder + "\\Aphex.exe", "MZ"));
    }
  }
  std::string Link(const char* name) const { return group_.Path() + "\\" + name + ".lnk"; }
  void ExpectOffer(const std::vector<RecordedBox>& boxes) const {
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(LoadedString(STR_OFFER_SERVICE), boxes[0].text);
    EXPECT_EQ("Kelmor Patch 1.4", boxes[0].caption);
    EXPECT_EQ(UINT(MB_YESNO | MB_ICONQUESTION), boxes[0].style);
    EXPECT_FALSE(boxes[0].hasOwner);
  }
  void ExpectDownloadShortcut() const {
    ShortcutFields link = ReadShortcut(Link(kDownloadName));
    ASSERT_TRUE(link.read);
    EXPECT_EQ(install_.Path() + "\\" + kDownloadName + ".url", link.target);
    EXPECT_EQ("", link.arguments);
    EXPECT_EQ(install_.Path(), link.workingFolder);
    EXPECT_FALSE(ReadTestFile(Link(kLaunchName)));
  }
  void ExpectLaunchShortcut(const std::string& servicePath) const {
    ShortcutFields link = ReadShortcut(Link(kLaunchName));
    ASSERT_TRUE(link.read);
    EXPECT_EQ(servicePath, link.target);
    EXPECT_EQ("+svc kelmor", link.arguments);
    EXPECT_EQ(install_.Path(), link.workingFolder);
    EXPECT_FALSE(ReadTestFile(Link(kDownloadName)));
  }

  TempFolder install_;
  TempFolder service_;
  TempFolder group_;
  TestRegistry registry_;
};

TEST_F(OnlineService, FoundWhereTheRegistryPointsWhenTheExecutableIsThere) {
  RegisterService(service_.Path(), true);
  char path[SHELL_PATH_BUFFER];
  EXPECT_TRUE(FindOnlineService(path, sizeof path));
  EXPECT_EQ(service_.Path() + "\\Aphex.exe", path);
}

TEST_F(OnlineService, NotFoundWithoutKeyValueOrExecutable) {
  char path[SHELL_PATH_BUFFER];
  EXPECT_FALSE(FindOnlineService(path, sizeof path));  // no key
  registry_.MakeKey(kServiceKey);
  EXPECT_FALSE(FindOnlineService(path, sizeof path));  // no "InstDir"
  RegisterService(service_.Path(), false);
  EXPECT_FALSE(FindOnlineService(path, sizeof path));  // no Aphex.exe
}

// A value stored without its terminator comes back without one.
TEST_F(OnlineService, FolderStoredWithoutTerminatorIsRead) {
  ASSERT_TRUE(WriteTestFile(service_.Path() + "\\Aphex.exe", "MZ"));
  registry_.Set(kServiceKey, "InstDir", REG_SZ, service_.Path());
  char path[SHELL_PATH_BUFFER];
  EXPECT_TRUE(FindOnlineService(path, sizeof path));
  EXPECT_EQ(service_.Path() + "\\Aphex.exe", path);
}

// 289 bytes of folder leave exactly room for "\Aphex.exe" in 300 bytes; one
// more and the path does not fit, which counts as not installed. 300 bytes
// and more do not fit the read buffer at all.
TEST_F(OnlineService, FolderTooLongForTheExecutablesPathCountsAsNotInstalled) {
  for (size_t length : {290u, 299u, 300u, 400u}) {
    SCOPED_TRACE(length);
    registry_.SetString(kServiceKey, "InstDir", "C:\\" + std::string(length - 3, 'g'));
    char path[SHELL_PATH_BUFFER];
    EXPECT_FALSE(FindOnlineService(path, sizeof path));
    EXPECT_STREQ("", path);
  }
}

// The key is opened for full access although it is only read: a user who
// may only read it is offered the installer.
TEST_F(OnlineService, KeyReadableButNotWritableCountsAsNotInstalled) {
  RegisterService(service_.Path(), true);
  if (!registry_.RefuseFullAccess(kServiceKey)) GTEST_SKIP() << "the platform keeps no registry permissions";
  char path[SHELL_PATH_BUFFER];
  EXPECT_FALSE(FindOnlineService(path, sizeof path));
}

TEST_F(OnlineService, RegisteredServiceGetsTheLaunchShortcutWithoutAQuestion) {
  RegisterService(service_.Path(), true);
  BoxScript boxes;
  RunOnlineServicePhase(install_.Path().c_str(), group_.Path().c_str());
  EXPECT_TRUE(boxes.Boxes().empty());
  ExpectLaunchShortcut(service_.Path() + "\\Aphex.exe");
}

TEST_F(OnlineService, RegisteredButExecutableMissingLeadsToTheOffer) {
  RegisterService(service_.Path(), false);
  BoxScript boxes({IDNO});
  RunOnlineServicePhase(install_.Path().c_str(), group_.Path().c_str());
  ExpectOffer(boxes.Boxes());
  ExpectDownloadShortcut();
}

TEST_F(OnlineService, DeclinedOfferGetsTheDownloadShortcut) {
  ASSERT_TRUE(PlaceServiceInstaller(install_.Path()));
  BoxScript boxes({IDNO});
  RunOnlineServicePhase(install_.Path().c_str(), group_.Path().c_str());
  ExpectOffer(boxes.Boxes());
  ExpectDownloadShortcut();
  EXPECT_FALSE(ReadTestFile(install_.Path() + "\\ArcadeInstallKELMOR101b.ran"));
}

// The launch shortcut points where the installer puts the service by
// default, whatever folder the user then picks.
TEST_F(OnlineService, AcceptedOfferStartsTheInstallerAndGetsTheLaunchShortcut) {
  ASSERT_TRUE(PlaceServiceInstaller(install_.Path()));
  BoxScript boxes({IDYES});
  RunOnlineServicePhase(install_.Path().c_str(), group_.Path().c_str());
  ExpectOffer(boxes.Boxes());
  EXPECT_TRUE(ServiceInstallerStarted(install_.Path()));
  ExpectLaunchShortcut(kDefaultServicePath);
}

// Extraction may have stopped before the installer was written: the failed
// launch is not reported.
TEST_F(OnlineService, AcceptedOfferWithTheInstallerMissingGetsTheDownloadShortcut) {
  BoxScript boxes({IDYES});
  RunOnlineServicePhase(install_.Path().c_str(), group_.Path().c_str());
  ExpectOffer(boxes.Boxes());
  ExpectDownloadShortcut();
}

TEST_F(OnlineService, WithoutAProgramGroupTheOfferIsMadeButNoShortcut) {
  ASSERT_TRUE(PlaceServiceInstaller(install_.Path()));
  BoxScript boxes({IDYES});
  RunOnlineServicePhase(install_.Path().c_str(), nullptr);
  ExpectOffer(boxes.Boxes());
  EXPECT_TRUE(ServiceInstallerStarted(install_.Path()));
  EXPECT_FALSE(ReadTestFile(Link(kLaunchName)));
  EXPECT_FALSE(ReadTestFile(Link(kDownloadName)));
}

// Paths that do not fit their 300-byte buffers skip the shortcut quietly.
TEST_F(OnlineService, ShortcutPathsThatDoNotFitAreSkipped) {
  const std::string longFolder = "C:\\" + std::string(280, 'k');
  for (bool longGroup : {true, false}) {
    SCOPED_TRACE(longGroup);
    BoxScript boxes({IDNO});
    RunOnlineServicePhase(longGroup ? install_.Path().c_str() : longFolder.c_str(),
                          longGroup ? longFolder.c_str() : group_.Path().c_str());
    EXPECT_EQ(1u, boxes.Boxes().size());
    EXPECT_FALSE(ReadTestFile(Link(kDownloadName)));
  }
}

}  // namespace
