// Reader for the ".mx" music files: vorbisfile over our own unmasking file callbacks.
#include "sound/sslib2/ogg_file_reader.h"

namespace sslib2 {
namespace {

using DataSource = COggFileReader::DataSource;

std::size_t ReadMasked(void* buffer, std::size_t size, std::size_t count, void* source) {
  auto* data = static_cast<DataSource*>(source);
  if (!data->file || size == 0) return 0;
  std::size_t got = std::fread(buffer, 1, size * count, data->file);
  UnmaskMusicBytes(static_cast<unsigned char*>(buffer), got);
  return got;
}

int SeekMasked(void* source, ogg_int64_t offset, int origin) {
  auto* data = static_cast<DataSource*>(source);
  if (!data->file) return -1;
  long target;
  switch (origin) {
    case SEEK_SET: target = static_cast<long>(data->base + offset); break;
    case SEEK_CUR: target = std::ftell(data->file) + static_cast<long>(offset); break;
    case SEEK_END: target = static_cast<long>(data->base + data->size + offset); break;
    default: return -1;
  }
  return std::fseek(data->file, target, SEEK_SET) == 0 ? 0 : -1;
}

int CloseMasked(void* source) {
  auto* data = static_cast<DataSource*>(source);
  int result = data->file && std::fclose(data->file) == 0 ? 0 : -1;
  *data = DataSource{};
  return result;
}

long TellMasked(void* source) {
  auto* data = static_cast<DataSource*>(source);
  if (!data->file) return -1;
  return std::ftell(data->file) - static_cast<long>(data->base);
}

}  // namespace

COggFileReader::~COggFileReader() { Close(); }

bool COggFileReader::Open(const char* fileName) {
  if (open_) return false;
  std::FILE* file = fileName ? std::fopen(fileName, "rb") : nullptr;
  if (!file) return false;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  // A pipe has no size; the decoder then finds it cannot seek.
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) size = 0;
  source_ = DataSource{file, 0, static_cast<std::uint32_t>(size)};

  ov_callbacks callbacks{ReadMasked, SeekMasked, CloseMasked, TellMasked};
  if (ov_open_callbacks(&source_, &decoder_, nullptr, 0, callbacks) != 0) {
    // vorbisfile leaves the source open when it cannot open the stream.
    CloseMasked(&source_);
    return false;
  }
  if (ov_seekable(&decoder_) == 0) {
    ov_clear(&decoder_);
    return false;
  }
  const vorbis_info* info = ov_info(&decoder_, -1);
  ogg_int64_t total = ov_pcm_total(&decoder_, -1);
  if (!info || info->channels < 1 || total < 0) {
    ov_clear(&decoder_);
    return false;
  }
  format_.formatTag = 1;
  format_.channels = static_cast<std::uint16_t>(info->channels);
  format_.samplesPerSec = static_cast<std::uint32_t>(info->rate);
  format_.bitsPerSample = 16;
  format_.blockAlign = static_cast<std::uint16_t>(2 * info->channels);
  format_.avgBytesPerSec = format_.samplesPerSec * format_.blockAlign;
  length_ = static_cast<std::uint32_t>(total);
  end_ = false;
  open_ = true;
  return true;
}

void COggFileReader::Close() {
  if (!open_) return;
  ov_clear(&decoder_);  // closes the file through the close callback
  open_ = false;
}

bool COggFileReader::Read(void* destination, std::uint32_t bytes, std::uint32_t* bytesRead) {
  if (bytesRead) *bytesRead = 0;
  if (!open_) return false;
  auto* out = static_cast<char*>(destination);
  std::uint32_t got = 0;
  while (got < bytes) {
    long n = ov_read(&decoder_, out + got, static_cast<int>(bytes - got), 0, 2, 1, nullptr);
    if (n < 1) {
      end_ = true;
      break;
    }
    got += static_cast<std::uint32_t>(n);
  }
  if (bytesRead) *bytesRead = got;
  return true;
}

bool COggFileReader::Seek(std::uint32_t frame) {
  if (!open_ || ov_pcm_seek(&decoder_, frame) != 0) return false;
  end_ = false;
  return true;
}

std::uint32_t COggFileReader::Tell() { return open_ ? static_cast<std::uint32_t>(ov_pcm_tell(&decoder_)) : 0; }

}  // namespace sslib2
