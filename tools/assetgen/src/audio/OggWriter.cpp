#include "audio/OggWriter.h"

#include <algorithm>
#include <stdexcept>

#include <vorbis/vorbisenc.h>

namespace assetgen {

namespace {

void appendPage(std::vector<uint8_t>& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

} // namespace

std::vector<uint8_t> encodeOgg(const std::vector<const Buffer*>& channels, float quality, int serial) {
    const int nch = static_cast<int>(channels.size());
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, nch, kRate, quality) != 0) {
        vorbis_info_clear(&vi);
        throw std::runtime_error("vorbis encoder set-up failed");
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, serial);

    std::vector<uint8_t> out;
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&os, &page) != 0) {
        appendPage(out, page);
    }

    const size_t total = channels[0]->size();
    const size_t chunk = 1024;
    size_t done = 0;
    bool eos = false;
    while (!eos) {
        const size_t n = std::min(chunk, total - done);
        if (n == 0) {
            vorbis_analysis_wrote(&vd, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (int c = 0; c < nch; ++c) {
                for (size_t i = 0; i < n; ++i) {
                    buffer[c][i] = std::clamp((*channels[static_cast<size_t>(c)])[done + i], -1.0f, 1.0f);
                }
            }
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            done += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet) == 1) {
                ogg_stream_packetin(&os, &packet);
                while (ogg_stream_pageout(&os, &page) != 0) {
                    appendPage(out, page);
                    eos = eos || ogg_page_eos(&page) != 0;
                }
            }
        }
        if (n == 0) {
            while (ogg_stream_flush(&os, &page) != 0) {
                appendPage(out, page);
            }
            eos = true;
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

} // namespace assetgen
