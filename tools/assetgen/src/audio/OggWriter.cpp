#include "audio/OggWriter.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

namespace assetgen {

namespace {

void appendPage(std::vector<uint8_t>& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

struct MemoryReader {
    const std::vector<uint8_t>* data;
    size_t pos;
};

size_t readCb(void* ptr, size_t size, size_t count, void* source) {
    auto* r = static_cast<MemoryReader*>(source);
    const size_t want = size * count;
    const size_t left = r->data->size() - r->pos;
    const size_t n = std::min(want, left);
    if (n > 0) {
        std::memcpy(ptr, r->data->data() + r->pos, n);
        r->pos += n;
    }
    return size ? n / size : 0;
}

int seekCb(void* source, ogg_int64_t offset, int whence) {
    auto* r = static_cast<MemoryReader*>(source);
    ogg_int64_t base = 0;
    if (whence == SEEK_CUR) {
        base = static_cast<ogg_int64_t>(r->pos);
    } else if (whence == SEEK_END) {
        base = static_cast<ogg_int64_t>(r->data->size());
    }
    const ogg_int64_t p = base + offset;
    if (p < 0 || p > static_cast<ogg_int64_t>(r->data->size())) {
        return -1;
    }
    r->pos = static_cast<size_t>(p);
    return 0;
}

long tellCb(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->pos); }

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

bool decodeOgg(const std::vector<uint8_t>& file, int& channels, int& rate, std::vector<float>& interleaved) {
    MemoryReader reader{&file, 0};
    OggVorbis_File vf;
    const ov_callbacks callbacks{readCb, seekCb, nullptr, tellCb};
    if (ov_open_callbacks(&reader, &vf, nullptr, 0, callbacks) != 0) {
        return false;
    }
    vorbis_info* info = ov_info(&vf, -1);
    channels = info->channels;
    rate = static_cast<int>(info->rate);
    interleaved.clear();
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        const long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n < 0) {
            ov_clear(&vf);
            return false;
        }
        if (n == 0) {
            break;
        }
        for (long i = 0; i < n; ++i) {
            for (int c = 0; c < channels; ++c) {
                interleaved.push_back(pcm[c][i]);
            }
        }
    }
    ov_clear(&vf);
    return true;
}

} // namespace assetgen
