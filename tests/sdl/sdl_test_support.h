// Shared pieces of the SDL backend tests: a backend with a recording window procedure, and
// small BMP files built in memory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_device.h"

namespace platform {

// Messages compare and print field by field, so a failed expectation shows what came.
inline bool operator==(const Message& a, const Message& b) {
  return a.window == b.window && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam;
}

inline std::ostream& operator<<(std::ostream& out, const Message& m) {
  return out << "{window " << m.window << ", message 0x" << std::hex << m.message << ", wParam 0x" << m.wParam
             << ", lParam 0x" << m.lParam << std::dec << "}";
}

}  // namespace platform

namespace sdltest {

constexpr const char* kTestClass = "sorvani-test";

// What the recording procedure saw, in order.
extern std::vector<platform::Message> received;

// Handles WM_CREATE, WM_DESTROY (posting quit 0), WM_ACTIVATEAPP and WM_KEYDOWN as the game's
// procedure does and leaves the rest to the default procedure.
std::int32_t RecordingProc(platform::WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                           std::uint32_t lParam);

// A 24-bit bottom-up BMP file; pixels are 0xRRGGBB, row by row from the top.
std::vector<std::uint8_t> MakeBmp(int width, int height, const std::vector<std::uint32_t>& pixels);

// A picture archive with every picture of the table as a small grey BMP, enough for the
// program to start and run its scenes.
void WriteTestPictureArchive(const std::string& path);

// A run log read back as UTF-8 text, one message per line without the time stamps.
std::string ReadShiftJisLog(const std::string& path);

// A private Xvfb server for as long as the object lives, on a display number the server picks
// itself; Started() is false when Xvfb is missing or did not come up.
class XServer {
 public:
  XServer();
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;
  bool Started() const { return !display_.empty(); }
  const std::string& Display() const { return display_; }

 private:
  int pid_ = -1;
  int pipe_ = -1;
  std::string display_;
};

// The one server of a test process for GTK, which opens its display only once per process:
// every GTK test shares it.
XServer& GtkServer();

// A backend brought up on the offscreen driver, with the recording class registered.
class BackendTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  platform::WindowHandle CreateTestWindow();
  // Messages waiting in the queue, taken out.
  std::vector<platform::Message> Drain();

  platform::sdl::SdlBackend backend;
  platform::sdl::SdlWindowSystem& windows = backend.SdlWindows();
};

}  // namespace sdltest
