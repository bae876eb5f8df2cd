// The texts of the device's failure boxes: which cause a result code stands for, with its errno.
#pragma once

#include <string>

#include "platform/graphics.h"

// The result as an unsigned decimal number, in one buffer shared by every call.
const char* ResultNumber(platform::HRESULT result);
// The system's text for an error number with control characters blanked, in a buffer that the
// next call replaces; "FormatMessage() error" when the system has none.
const char* SystemErrorText(std::uint32_t error);
// The format with its one %s replaced by the cause.
std::string FormatCause(const char* format, const char* cause);

std::string DeviceCreationFailureText(bool windowed, platform::HRESULT result);
std::string SpriteFailureText(platform::HRESULT result);
std::string LogoFailureText(platform::HRESULT result);
// known: false when the result has no text of its own and the code is given instead.
std::string ResetFailureText(platform::HRESULT result, bool* known);
