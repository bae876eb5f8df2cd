// Ogg Vorbis encoding with libvorbisenc.
#include "ogg_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace {

void AppendPage(const ogg_page& page, std::vector<unsigned char>* out) {
  out->insert(out->end(), page.header, page.header + page.header_len);
  out->insert(out->end(), page.body, page.body + page.body_len);
}

}  // namespace

std::vector<unsigned char> EncodeOggVorbis(const std::vector<float>& interleaved, int channels, long rate,
                                           float quality, int serial, const char* title) {
  std::vector<unsigned char> out;
  vorbis_info info;
  vorbis_info_init(&info);
  if (channels <= 0 || vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
    vorbis_info_clear(&info);
    return out;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  if (title) vorbis_comment_add_tag(&comment, "TITLE", title);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, serial);

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) AppendPage(page, &out);

  const long frames = static_cast<long>(interleaved.size() / static_cast<std::size_t>(channels));
  const long chunk = 4096;
  bool ended = false;
  for (long done = 0; !ended;) {
    const long count = std::min(chunk, frames - done);
    if (count > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      for (long i = 0; i < count; ++i)
        for (int c = 0; c < channels; ++c) buffer[c][i] = interleaved[(done + i) * channels + c];
      vorbis_analysis_wrote(&dsp, static_cast<int>(count));
      done += count;
    } else {
      vorbis_analysis_wrote(&dsp, 0);  // end of stream
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) {
          AppendPage(page, &out);
          if (ogg_page_eos(&page)) ended = true;
        }
      }
    }
  }
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}
