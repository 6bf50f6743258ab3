#include "Mp3Info.h"

#include "Platform/Ansi.h"

#include <fstream>
#include <iterator>

namespace {

struct FrameHeader
{
    int version; // 1 MPEG-1, 2 MPEG-2, 25 MPEG-2.5
    int layer;   // 1, 2, 3
    int bitrateKbps;
    int sampleRate;
    int channels;
    int samples;          // per frame
    std::size_t length;   // bytes, header included
    std::size_t sideInfo; // bytes after the header before a Xing/Info marker
};

bool parseHeader(const unsigned char* p, FrameHeader& h)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return false;
    const int versionBits = (p[1] >> 3) & 3, layerBits = (p[1] >> 1) & 3;
    const int bitrateIndex = p[2] >> 4, rateIndex = (p[2] >> 2) & 3, padding = (p[2] >> 1) & 1;
    if (versionBits == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return false;
    h.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    h.layer = 4 - layerBits;
    static const int rates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
    h.sampleRate = rates[h.version == 1 ? 0 : h.version == 2 ? 1 : 2][rateIndex];
    static const int bitrates[5][15] = {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG-1 layer 1
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG-1 layer 2
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG-1 layer 3
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG-2 layer 1
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // MPEG-2 layers 2, 3
    };
    const int table = h.version == 1 ? h.layer - 1 : (h.layer == 1 ? 3 : 4);
    h.bitrateKbps = bitrates[table][bitrateIndex];
    h.channels = ((p[3] >> 6) & 3) == 3 ? 1 : 2;
    if (h.layer == 1) {
        h.samples = 384;
        h.length = static_cast<std::size_t>((12 * h.bitrateKbps * 1000 / h.sampleRate + padding) * 4);
    } else {
        h.samples = (h.layer == 3 && h.version != 1) ? 576 : 1152;
        h.length = static_cast<std::size_t>(h.samples / 8 * h.bitrateKbps * 1000 / h.sampleRate + padding);
    }
    if (h.version == 1)
        h.sideInfo = h.channels == 1 ? 17 : 32;
    else
        h.sideInfo = h.channels == 1 ? 9 : 17;
    return h.length > 4;
}

std::string trailerText(const std::string& trailer, std::size_t offset)
{
    std::string text = trailer.substr(offset, 30);
    text = text.substr(0, text.find('\0'));
    const auto last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return Platform::AnsiToUtf8(text);
}

} // namespace

Mp3Info Mp3Info::fromFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return fromBytes(std::string(std::istreambuf_iterator<char>(in), {}));
}

Mp3Info Mp3Info::fromBytes(const std::string& bytes)
{
    Mp3Info info;
    std::size_t end = bytes.size();
    if (end >= 128 && bytes.compare(end - 128, 3, "TAG") == 0) {
        const std::string trailer = bytes.substr(end - 128);
        info.title = trailerText(trailer, 3);
        info.artist = trailerText(trailer, 33);
        end -= 128;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t pos = 0;
    if (end >= 10 && bytes.compare(0, 3, "ID3") == 0) {
        const std::size_t size = (std::size_t(data[6] & 0x7F) << 21) | (std::size_t(data[7] & 0x7F) << 14) |
                                 (std::size_t(data[8] & 0x7F) << 7) | std::size_t(data[9] & 0x7F);
        pos = 10 + size + ((data[5] & 0x10) ? 10 : 0);
    }

    std::int64_t samples = 0, bitSamples = 0;
    bool first = true;
    while (pos + 4 <= end) {
        FrameHeader h{};
        // A frame counts only when the next one follows where it says (or the
        // data ends there), which keeps stray sync bytes out of the count.
        if (!parseHeader(data + pos, h) || pos + h.length > end ||
            (pos + h.length + 4 <= end &&
             !(data[pos + h.length] == 0xFF && (data[pos + h.length + 1] & 0xE0) == 0xE0))) {
            ++pos;
            continue;
        }
        const std::size_t marker = pos + 4 + h.sideInfo;
        const bool infoFrame =
            first && marker + 4 <= end &&
            (bytes.compare(marker, 4, "Xing") == 0 || bytes.compare(marker, 4, "Info") == 0);
        if (first) {
            info.sampleRate = h.sampleRate;
            info.channels = h.channels;
            first = false;
        }
        if (!infoFrame) {
            samples += h.samples;
            bitSamples += static_cast<std::int64_t>(h.bitrateKbps) * h.samples;
        }
        pos += h.length;
    }
    if (samples == 0 || info.sampleRate == 0)
        return Mp3Info{false, 0, 0, 0, 0, info.title, info.artist};
    info.valid = true;
    info.durationMs = samples * 1000 / info.sampleRate;
    info.bitrateKbps = static_cast<int>((bitSamples + samples / 2) / samples);
    return info;
}
