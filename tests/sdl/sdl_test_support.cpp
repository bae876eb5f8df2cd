// Shared pieces of the SDL backend tests.
#include "sdl_test_support.h"

#include <fcntl.h>
#include <iconv.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "archive_writer.h"
#include "gfx/picture_names.h"
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

void WriteTestPictureArchive(const std::string& path) {
  std::vector<ArchiveEntry> entries;
  for (int id = 0; id < NUMSURFACES; ++id) {
    entries.push_back({surfaces[id], MakeBmp(8, 8, std::vector<std::uint32_t>(64, 0x808080))});
  }
  std::vector<unsigned char> image;
  std::string error;
  if (!BuildArchive(entries, &image, &error)) ADD_FAILURE() << error;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()),
                                              static_cast<std::streamsize>(image.size()));
}

std::string ReadShiftJisLog(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  const std::string text = bytes.str();
  std::string lines;
  iconv_t converter = iconv_open("UTF-8", "CP932");
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 2;
    // "[hh:mm:ss.mmm] " leads every message line.
    if (line.size() < 15 || line[0] != '[' || line[13] != ']') continue;
    line.erase(0, 15);
    std::string out(line.size() * 3 + 4, '\0');
    char* in = line.data();
    std::size_t inLeft = line.size();
    char* outAt = out.data();
    std::size_t outLeft = out.size();
    iconv(converter, &in, &inLeft, &outAt, &outLeft);
    out.resize(out.size() - outLeft);
    lines += out + "\n";
  }
  iconv_close(converter);
  return lines;
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

XServer::XServer() {
  int ready[2];
  if (pipe(ready) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(ready[0]);
    const int nothing = open("/dev/null", O_WRONLY);
    if (nothing >= 0) {
      dup2(nothing, STDOUT_FILENO);
      dup2(nothing, STDERR_FILENO);
    }
    const std::string fd = std::to_string(ready[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  // The server writes the number and then the line end; it stops if the pipe is gone by then.
  pipe_ = ready[0];
  if (pid_ < 0) return;
  std::string number;
  pollfd wait{pipe_, POLLIN, 0};
  char c = 0;
  while (poll(&wait, 1, 10000) == 1 && read(pipe_, &c, 1) == 1 && c != '\n') number += c;
  if (!number.empty()) display_ = ":" + number;
}

XServer::~XServer() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  if (pipe_ >= 0) close(pipe_);
}

XServer& GtkServer() {
  static XServer server;
  return server;
}

}  // namespace sdltest
