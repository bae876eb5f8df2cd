// The texts of the device's failure boxes: which cause a result code stands for, with its errno.
#include "gfx/device_messages.h"

#include <cstdio>

#include "platform/backend.h"

namespace {

using platform::HRESULT;

struct Cause {
  HRESULT result;
  const char* text;
};

// The cause listed for the result, else its number.
template <std::size_t N>
const char* CauseOf(const Cause (&causes)[N], HRESULT result) {
  for (const Cause& cause : causes) {
    if (cause.result == result) return cause.text;
  }
  return ResultNumber(result);
}

}  // namespace

const char* ResultNumber(HRESULT result) {
  static char number[16];
  std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(static_cast<std::uint32_t>(result)));
  return number;
}

const char* SystemErrorText(std::uint32_t error) {
  static std::string text;
  char message[1024];
  if (!platform::Gfx().FormatErrorMessage(error, message, sizeof message)) return "FormatMessage() error";
  text = message;
  // Line breaks and tabs would break the one-line cause.
  for (char& c : text) {
    if (c >= 1 && c <= 31) c = ' ';
  }
  return text.c_str();
}

std::string FormatCause(const char* format, const char* cause) {
  std::string text = format;
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, cause);
  return text;
}

std::string DeviceCreationFailureText(bool windowed, HRESULT result) {
  static const Cause kWindowed[] = {
      {platform::D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL:パラメタ不正等(errno=0002)"},
      {platform::D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE:このビデオカードでは未サポート(errno=0003)"},
      {platform::D3DERR_OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY:メモリ不足(errno=0004)"},
  };
  static const Cause kFullScreen[] = {
      {platform::D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL:パラメタ不正等(errno=0005)"},
      {platform::D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE:このビデオカードでは未サポート(errno=0006)"},
      {platform::D3DERR_OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY:メモリ不足(errno=0007)"},
  };
  if (windowed) {
    return std::string("ウィンドウモードでのDIRECT3Dデバイスの作成に失敗しました。\r\n原因：") + CauseOf(kWindowed, result);
  }
  return std::string("フルスクリーンモードでのDIRECT3Dデバイスの作成に失敗しました。\r\n原因：") + CauseOf(kFullScreen, result);
}

// A result without a text of its own is given by its number, as every other box does, rather
// than leaving the cause empty.
std::string SpriteFailureText(HRESULT result) {
  static const Cause kCauses[] = {
      {platform::E_OUTOFMEMORY, "E_OUTOFMEMORY:メモリ不足(errno=0009)"},
      {platform::D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL:パラメタ不正等(errno=0008)"},
  };
  return std::string("スプライトの作成に失敗しました。\r\n原因：") + CauseOf(kCauses, result);
}

std::string LogoFailureText(HRESULT result) {
  static const Cause kCauses[] = {
      {-1, "ピクチャーデータの読み込みに失敗。svdata01.datが壊れている可能性があります。再インストールしてください。(errno=0010)"},
      {platform::D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE:このビデオカードは未サポート(errno=0011)"},
      {platform::D3DERR_OUTOFVIDEOMEMORY, "D3DERR_OUTOFVIDEOMEMORY:ビデオメモリ不足(errno=0012)"},
      {platform::D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL:パラメタ不正(errno=0013)"},
      {platform::D3DXERR_INVALIDDATA, "D3DXERR_INVALIDDATA:データが無効(errno=0014)"},
      {platform::E_OUTOFMEMORY, "E_OUTOFMEMORY:システムメモリ不足(errno=0015)"},
  };
  return FormatCause("ロゴ用テクスチャの作成に失敗しました。\r\n原因：%s", CauseOf(kCauses, result));
}

std::string ResetFailureText(HRESULT result, bool* known) {
  static const Cause kCauses[] = {
      {platform::D3DERR_DEVICELOST,
       "D3DERR_DEVICELOST:デバイスは消失していますが、リセットできませんでした。再起動の必要があるかもしれません。(errno=R001)"},
      {platform::D3DERR_DRIVERINTERNALERROR,
       "D3DERR_DRIVERINTERNALERROR:ドライバの内部エラー。ビデオカードドライバをアップグレードしてください。(errno=R002)"},
      {platform::D3DERR_INVALIDCALL, "D3DERR_INVALIDCALL:パラメタ不正。プログラムの制作元に連絡してください。(errno=R003)"},
      {platform::D3DERR_OUTOFVIDEOMEMORY,
       "D3DERR_OUTOFVIDEOMEMORY:Direct3D が処理を行うのに十分なビデオメモリがありません。ビデオメモリを増やしてください。(errno=R004)"},
      {platform::E_OUTOFMEMORY,
       "E_OUTOFMEMORY:Direct3D が呼び出しを完了するための十分なメモリを割り当てることができませんでした。システムメモリまたはビデオメモリを増設してください。(errno=R005)"},
  };
  for (const Cause& cause : kCauses) {
    if (cause.result == result) {
      *known = true;
      return cause.text;
    }
  }
  *known = false;
  char text[128];
  std::snprintf(text, sizeof text, "pDevice->Resetのエラー（エラーコード：%u）",
                static_cast<unsigned>(static_cast<std::uint32_t>(result)));
  return text;
}
