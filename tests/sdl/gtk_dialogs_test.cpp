// The launcher and settings dialogs as real GTK windows on a private X server, and message
// boxes with no display at all.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/app.h"
#include "app/dialogs.h"
#include "platform/sdl/sdl_backend.h"
#include "resources/dialog_templates.h"
#include "sdl_test_support.h"

namespace {

class GtkDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Server().Started()) GTEST_SKIP() << "Xvfb is not installed here (package xvfb); the GTK dialogs go unseen";
    setenv("DISPLAY", Server().Display().c_str(), 1);
    unsetenv("SDL_VIDEODRIVER");
    ASSERT_TRUE(platform::sdl::GtkDisplayAvailable()) << "GTK could not open " << Server().Display();
    platform::InstallBackend(&backend);
    ResetAppState();
  }
  void TearDown() override {
    platform::InstallBackend(nullptr);
    unsetenv("DISPLAY");
  }

  // Runs the shown dialog's check, then closes it with the given result.
  void WhenShown(int result, std::function<void(platform::WindowHandle)> check) {
    backend.GtkDialogs().OnShown([this, result, check](platform::WindowHandle dialog) {
      check(dialog);
      backend.GtkDialogs().EndDialog(dialog, result);
    });
  }

  struct PixbufUnref {
    void operator()(GdkPixbuf* pixels) const { g_object_unref(pixels); }
  };
  using Pixbuf = std::unique_ptr<GdkPixbuf, PixbufUnref>;

  // A saved snapshot read back; empty when it cannot be read.
  static Pixbuf ReadSnapshot(const std::string& path) { return Pixbuf(gdk_pixbuf_new_from_file(path.c_str(), nullptr)); }

  // Whether the rectangle of the snapshot holds more than one colour.
  static bool HasDetail(GdkPixbuf* pixels, int x, int y, int width, int height) {
    const int channels = gdk_pixbuf_get_n_channels(pixels);
    const int stride = gdk_pixbuf_get_rowstride(pixels);
    const guchar* data = gdk_pixbuf_get_pixels(pixels);
    const guchar* first = data + y * stride + x * channels;
    for (int row = y; row < y + height; ++row) {
      for (int column = x; column < x + width; ++column) {
        if (std::memcmp(data + row * stride + column * channels, first, 3) != 0) return true;
      }
    }
    return false;
  }

  static sdltest::XServer& Server() { return sdltest::GtkServer(); }

  platform::sdl::SdlBackend backend;
};

TEST_F(GtkDialogsTest, LauncherShowsItsPictureAndThreeButtons) {
  const std::string snapshot = (std::filesystem::current_path() / "launcher-dialog.png").string();
  std::vector<std::string> buttons;
  bool saved = false;
  WhenShown(1, [&](platform::WindowHandle dialog) {
    buttons = backend.GtkDialogs().ButtonTexts(dialog);
    saved = backend.GtkDialogs().SaveSnapshot(dialog, snapshot.c_str());
  });
  EXPECT_EQ(RunLauncherDialog(), 1);
  EXPECT_EQ(buttons, (std::vector<std::string>{"スタート(_S)", "設定(_O)...", "終了(_X)"}));
  ASSERT_TRUE(saved);
  const Pixbuf pixels = ReadSnapshot(snapshot);
  ASSERT_NE(pixels, nullptr);
  EXPECT_GE(gdk_pixbuf_get_width(pixels.get()), 264);   // 151 dialog units
  EXPECT_GE(gdk_pixbuf_get_height(pixels.get()), 311);  // 178 dialog units
  EXPECT_TRUE(HasDetail(pixels.get(), 12, 254, 240, 22)) << "no buttons drawn in the button row";
  EXPECT_TRUE(HasDetail(pixels.get(), 40, 20, 180, 180)) << "the launcher picture is missing";
}

TEST_F(GtkDialogsTest, SettingsDialogShowsItsButtonsAndEndsWithItsResult) {
  const std::string snapshot = (std::filesystem::current_path() / "settings-dialog.png").string();
  std::vector<std::string> buttons;
  bool saved = false;
  WhenShown(2, [&](platform::WindowHandle dialog) {
    buttons = backend.GtkDialogs().ButtonTexts(dialog);
    saved = backend.GtkDialogs().SaveSnapshot(dialog, snapshot.c_str());
    EXPECT_EQ(backend.GtkDialogs().SelectedListEntry(dialog, IDC_BUTTON1), 1);  // the default table: shot
    EXPECT_EQ(backend.GtkDialogs().ListEntryCount(dialog, ButtonListId(15)), 3);
  });
  EXPECT_EQ(RunSettingsDialog(platform::kNoWindow), 2);
  EXPECT_EQ(buttons, (std::vector<std::string>{"OK", "キャンセル", "ランキング初期化(_E)"}));
  ASSERT_TRUE(saved);
  const Pixbuf pixels = ReadSnapshot(snapshot);
  ASSERT_NE(pixels, nullptr);
  EXPECT_GE(gdk_pixbuf_get_width(pixels.get()), 557);   // 319 dialog units
  EXPECT_GE(gdk_pixbuf_get_height(pixels.get()), 484);  // 277 dialog units
  EXPECT_TRUE(HasDetail(pixels.get(), 160, 450, 390, 26)) << "no buttons drawn in the button row";
  EXPECT_TRUE(HasDetail(pixels.get(), 92, 75, 160, 205)) << "the left column of button lists is missing";
  EXPECT_TRUE(HasDetail(pixels.get(), 410, 75, 130, 205)) << "the right column of button lists is missing";
  EXPECT_TRUE(HasDetail(pixels.get(), 15, 305, 320, 140)) << "the option boxes are missing";
}

TEST(GtkMessageBoxTest, WithoutADisplayABoxPrintsOneLineAndAnswersSafely) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  platform::sdl::SdlDialogs dialogs;
  testing::internal::CaptureStderr();
  EXPECT_EQ(dialogs.MessageBox(platform::kNoWindow, "一行目\r\n二行目", "Sorvani", platform::MB_ICONERROR),
            platform::IDOK);
  EXPECT_EQ(dialogs.MessageBox(platform::kNoWindow, "初期化しますか。", "Sorvani",
                               platform::MB_YESNO | platform::MB_ICONINFORMATION),
            platform::IDNO);
  EXPECT_EQ(dialogs.RunModal(kLauncherTemplate, platform::kNoWindow, nullptr, nullptr), -1);
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors.substr(0, errors.find("sorvani: ")),
            "Sorvani: 一行目 二行目\nSorvani: 初期化しますか。\n");
  EXPECT_NE(errors.find("sorvani: cannot show the dialog \"Sorvani\": no display"), std::string::npos) << errors;
}

}  // namespace
