// Shared pieces of the SDL backend tests.
#include "sdl_test_support.h"

#include "platform/backend.h"

namespace sdltest {

std::vector<platform::Message> received;

std::int32_t RecordingProc(platform::WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                           std::uint32_t lParam) {
  received.push_back(platform::Message{window, message, wParam, lParam});
  switch (message) {
    case platform::WM_DESTROY:
      platform::Windows().PostQuitMessage(0);
      return 0;
    case platform::WM_CREATE:
    case platform::WM_ACTIVATEAPP:
    case platform::WM_KEYDOWN:
      return 0;
    default:
      return platform::Windows().DefaultWindowProc(window, message, wParam, lParam);
  }
}

std::vector<std::uint8_t> MakeBmp(int width, int height, const std::vector<std::uint32_t>& pixels) {
  const int rowBytes = (width * 3 + 3) & ~3;
  const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes * height);
  const std::uint32_t fileBytes = 14 + 40 + imageBytes;
  std::vector<std::uint8_t> file;
  auto put16 = [&](std::uint32_t value) {
    file.push_back(value & 0xFF);
    file.push_back((value >> 8) & 0xFF);
  };
  auto put32 = [&](std::uint32_t value) {
    put16(value & 0xFFFF);
    put16(value >> 16);
  };
  file.push_back('B');
  file.push_back('M');
  put32(fileBytes);
  put32(0);
  put32(14 + 40);
  put32(40);
  put32(static_cast<std::uint32_t>(width));
  put32(static_cast<std::uint32_t>(height));
  put16(1);
  put16(24);
  put32(0);  // no compression
  put32(imageBytes);
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t rgb = pixels[static_cast<std::size_t>(y * width + x)];
      file.push_back(rgb & 0xFF);
      file.push_back((rgb >> 8) & 0xFF);
      file.push_back((rgb >> 16) & 0xFF);
    }
    for (int pad = width * 3; pad < rowBytes; ++pad) file.push_back(0);
  }
  return file;
}

void BackendTest::SetUp() {
  received.clear();
  std::string error;
  ASSERT_TRUE(backend.Init(&error)) << "SDL did not come up: " << error;
  platform::InstallBackend(&backend);
  ASSERT_TRUE(windows.RegisterWindowClass(platform::WindowClass{kTestClass, RecordingProc, 0}));
}

void BackendTest::TearDown() { platform::InstallBackend(nullptr); }

platform::WindowHandle BackendTest::CreateTestWindow() {
  return windows.CreateMainWindow(kTestClass, "Sorvani test", 640, 480);
}

std::vector<platform::Message> BackendTest::Drain() {
  std::vector<platform::Message> messages;
  platform::Message message;
  while (windows.PeekMessage(&message)) messages.push_back(message);
  return messages;
}

}  // namespace sdltest
