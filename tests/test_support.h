// Shared test fixture: a fresh fake backend, a scratch working directory holding the picture
// archive, and reset game state.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/fake/fake_backend.h"

// Reads a whole file as bytes; empty when it does not exist.
std::string ReadFileBytes(const std::filesystem::path& path);
// The run log's lines without their time stamps, CR LF removed, converted back to UTF-8.
std::vector<std::string> LogMessages(const std::filesystem::path& path = "sorvani.log");

// A 24-bit BMP file of one colour (0xRRGGBB).
std::vector<unsigned char> SolidBmp(int width, int height, std::uint32_t rgb);
// Writes a picture archive holding every picture of the table as a small BMP, so the program
// finds its pictures in a test's working directory. The size of each picture is its id's
// (id % 13 + 4) by (id % 7 + 4) pixels, so tests can tell pictures apart by size.
void WritePictureArchive(const std::filesystem::path& path);
int TestPictureWidth(int id);
int TestPictureHeight(int id);
struct PictureSize {
  int id;
  int width;
  int height;
};
// The same archive with the listed pictures at the given sizes (the data pack's, say), for
// tests of where things stand on the screen.
void WritePictureArchive(const std::filesystem::path& path, const std::vector<PictureSize>& sizes);

class GameTest : public ::testing::Test {
 protected:
  GameTest();
  ~GameTest() override;

  fake::FakeBackend backend;
  std::filesystem::path scratch;

 private:
  std::filesystem::path previousDirectory_;
};
