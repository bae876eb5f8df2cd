// Shared test fixture: a fresh fake backend, a scratch working directory and reset game state.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/fake/fake_backend.h"

// Reads a whole file as bytes; empty when it does not exist.
std::string ReadFileBytes(const std::filesystem::path& path);
// The run log's lines without their time stamps, CR LF removed, converted back to UTF-8.
std::vector<std::string> LogMessages(const std::filesystem::path& path = "sorvani.log");

class GameTest : public ::testing::Test {
 protected:
  GameTest();
  ~GameTest() override;

  fake::FakeBackend backend;
  std::filesystem::path scratch;

 private:
  std::filesystem::path previousDirectory_;
};
