// Data files copied with their names in another case ("SVDATA01.DAT"): the exact name first,
// then one in the same folder that differs only in case, for the pictures, effects and music.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/app.h"
#include "app/data_files.h"
#include "gfx/gfx.h"
#include "sound/sound.h"
#include "sound_fixtures.h"
#include "test_support.h"

namespace {

class DataFilesTest : public GameTest {
 protected:
  static void Touch(const std::string& path) { std::ofstream(path, std::ios::binary) << "x"; }
};

TEST_F(DataFilesTest, ExactNameFirstThenOneDifferingOnlyInCase) {
  std::filesystem::remove(kPictureArchive);  // the fixture's own
  std::filesystem::create_directories("pack/SVDATA09.DAT");  // a folder, not a data file
  Touch("SVDATA01.DAT");
  Touch("svdata02.dat");
  Touch("SVDATA02.DAT");
  Touch("Svdata03.MX");
  Touch("SVDATA03.mx");
  Touch("pack/SVDATA04.MX");
  struct Case {
    const char* asked;
    const char* found;
  };
  for (const Case c : {Case{"svdata01.dat", "SVDATA01.DAT"},
                       Case{"svdata02.dat", "svdata02.dat"},          // the exact name wins
                       Case{"svdata03.mx", "SVDATA03.mx"},            // of several, the first in byte order
                       Case{"pack/svdata04.mx", "pack/SVDATA04.MX"},  // the folder as given
                       Case{"PACK/svdata04.mx", "PACK/svdata04.mx"},  // only the file's own name is searched
                       Case{"svdata01.da", "svdata01.da"},            // a shorter name is another name
                       Case{"pack/svdata09.dat", "pack/svdata09.dat"},
                       Case{"svdata05.dat", "svdata05.dat"}}) {  // nothing: unchanged, so callers fail as before
    EXPECT_EQ(FindDataFile(c.asked), c.found) << c.asked;
  }
}

// Every data file in upper case: the logo pictures load, the thirteen effects too, and the
// title music opens, with the log naming the files as the game asks for them.
TEST_F(DataFilesTest, PicturesEffectsAndMusicAreReadFromUpperCaseCopies) {
  std::filesystem::rename(kPictureArchive, "SVDATA01.DAT");
  WriteEffectArchive();
  std::filesystem::rename("svdata02.dat", "SVDATA02.DAT");
  WriteBytes("SVDATA03.MX", Masked(EncodeOgg(44100, 2, 5000)));
  appState.enable_debug_write = 1;
  backend.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
  const platform::WindowHandle window = backend.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);

  ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
  EXPECT_NE(PictureTexture(PIC_SHIRO), nullptr);
  InitSound(window);
  EXPECT_FALSE(IsSoundSilent());
  EXPECT_TRUE(backend.dialogs.boxes.empty()) << backend.dialogs.boxes[0].text;
  std::filesystem::remove("sorvani.log");
  ResetDebugLog();
  ChangeBgm(BgmPiece::kTitle);
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"BGM(svdata03.m)準備中...", "BGM(svdata03.mx)準備中...",
                                                     "BGM開いています...", "BGM停止準備", "BGM停止完了/開始準備",
                                                     "BGM開始完了"}));
}

}  // namespace
