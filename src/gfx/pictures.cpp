// The picture table: pictures read from the archive into textures, one set at a time.
#include <cstdint>
#include <cstring>

#include "app/app.h"
#include "gfx/archive.h"
#include "gfx/gfx.h"
#include "platform/backend.h"

PictureTable pictures;

namespace {

// Per-picture lines are for the most detailed run log only.
bool LogsEachPicture() { return appState.enable_debug_write >= 2; }

void LogWithName(const char* text, PictureId id) {
  WriteDebugLog(text);
  WriteDebugLog(surfaces[id]);
}

// The name's prefix decides whether and how a picture becomes a texture.
bool ColourKeyOf(const char* name, std::uint32_t* colourKey) {
  if (std::strncmp(name, "PIC_", 4) == 0) {
    *colourKey = 0;
  } else if (std::strncmp(name, "PIX_", 4) == 0) {
    *colourKey = 0xFF00FF00;  // pure green
  } else if (std::strncmp(name, "PIY_", 4) == 0) {
    *colourKey = 0xFF008080;  // teal
  } else if (std::strncmp(name, "PIZ_", 4) == 0) {
    *colourKey = 0xFF00DBFF;  // sky blue
  } else {
    return false;
  }
  return true;
}

bool InRange(PictureId id) { return static_cast<std::uint16_t>(id) < NUMSURFACES; }

}  // namespace

platform::HRESULT LoadPicture(PictureId id) {
  // Negative ids count as large ones, so -1 is out of range as well.
  if (!InRange(id)) {
    WriteDebugLog("これ以上のリソースはありません");
    return -1;
  }
  PictureSlot& slot = pictures.slots[id];
  if (slot.texture) {
    if (LogsEachPicture()) LogWithName("以下のリソースは読み込み済みです：", id);
    return platform::S_OK;
  }
  if (LogsEachPicture()) LogWithName("以下のリソースは読み込みます：", id);
  std::uint32_t colourKey = 0;
  if (!ColourKeyOf(surfaces[id], &colourKey)) return platform::S_OK;

  std::unique_ptr<unsigned char[]> payload;
  std::uint32_t size = 0;
  if (!ReadArchiveEntry(kPictureArchive, surfaces[id], &payload, &size)) {
    LogWithName("以下のピクチャデータを取得しようとして失敗しました：", id);
    return -1;
  }
  platform::ImageInfo info;
  platform::HRESULT result = platform::Gfx().GetImageInfoFromMemory(payload.get(), size, &info);
  if (platform::Failed(result)) {
    LogWithName("以下のピクチャデータの取得に失敗しました：", id);
    return result;
  }
  slot.width = static_cast<std::int16_t>(info.width);
  slot.height = static_cast<std::int16_t>(info.height);
  if (!graphics.pDevice) {
    LogWithName("以下のピクチャデータの作成に失敗しました：", id);
    return platform::D3DERR_INVALIDCALL;
  }
  result = graphics.pDevice->CreateTextureFromMemory(payload.get(), size, colourKey, &slot.texture);
  if (platform::Failed(result)) {
    slot.texture.reset();
    LogWithName("以下のピクチャデータの作成に失敗しました：", id);
    return result;
  }
  return platform::S_OK;
}

void ClearPictures() {
  WriteDebugLog("リソースをクリアしています");
  for (int id = NUMSURFACES - 1; id >= 0; --id) {
    PictureSlot& slot = pictures.slots[id];
    if (slot.texture) {
      slot.texture.reset();
      if (LogsEachPicture()) LogWithName("以下のリソースは開放します：", static_cast<PictureId>(id));
    } else if (LogsEachPicture()) {
      LogWithName("以下のリソースは開放しません：", static_cast<PictureId>(id));
    }
  }
  WriteDebugLog("リソースクリア完了");
}

platform::HRESULT LoadPictureSet(const PictureId* list) {
  WriteDebugLog("画像データセットの読み込み準備");
  if (!list) list = kOpeningLogoPictureSet;
  pictures.currentSet = list;
  // Even pictures the new set shares with the old one are read again.
  ClearPictures();
  WriteDebugLog("画像データセットの読み込み準備２");
  const int count = PictureSetSize(list);
  WriteDebugLog("画像データセットの読み込み開始");
  // Loading back to front leaves the error of the failure listed first.
  platform::HRESULT result = platform::S_OK;
  for (int index = count - 1; index >= 0; --index) {
    const platform::HRESULT loaded = LoadPicture(list[index]);
    if (loaded != platform::S_OK) result = loaded;
  }
  WriteDebugLog("画像データセットの読み込み完了");
  return result;
}

void ResetPictureTable() {
  for (PictureSlot& slot : pictures.slots) slot = PictureSlot{};
  pictures.currentSet = nullptr;
}

int PictureSetSize(const PictureId* list) {
  int count = 0;
  while (list && list[count] != kPictureListEnd) ++count;
  return count;
}

platform::Texture* PictureTexture(PictureId id) {
  return InRange(id) ? pictures.slots[id].texture.get() : nullptr;
}

int PictureWidth(PictureId id) { return InRange(id) ? pictures.slots[id].width : 0; }

int PictureHeight(PictureId id) { return InRange(id) ? pictures.slots[id].height : 0; }
