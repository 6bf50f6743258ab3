#include "Mp3Info.h"

#include "RegularFile.h"

#include "Platform/Ansi.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

std::string trailerText(const unsigned char* trailer, std::size_t offset)
{
    std::string text(reinterpret_cast<const char*>(trailer) + offset, 30);
    text = text.substr(0, text.find('\0'));
    const auto last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return Platform::AnsiToUtf8(text);
}

std::uint32_t bigEndian32(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

// Random access to the bytes of a file or of a buffer.
class Source
{
public:
    virtual ~Source() = default;
    std::int64_t size() const { return m_size; }
    // n bytes (at most kWindow) at pos; null when they are not all there.
    virtual const unsigned char* at(std::int64_t pos, std::size_t n) = 0;

    static constexpr std::size_t kWindow = 4096;

protected:
    std::int64_t m_size = 0;
};

class MemorySource : public Source
{
public:
    explicit MemorySource(const std::string& bytes)
        : m_data(reinterpret_cast<const unsigned char*>(bytes.data()))
    {
        m_size = static_cast<std::int64_t>(bytes.size());
    }
    const unsigned char* at(std::int64_t pos, std::size_t n) override
    {
        return pos >= 0 && pos + static_cast<std::int64_t>(n) <= m_size ? m_data + pos : nullptr;
    }

private:
    const unsigned char* m_data;
};

// Reads a window of the file at a time, so walking frame headers costs one
// read per few frames and the memory used stays the window's.
class FileSource : public Source
{
public:
    FileSource(int fd, std::int64_t size) : m_fd(fd), m_buffer(kWindow) { m_size = size; }
    const unsigned char* at(std::int64_t pos, std::size_t n) override
    {
        if (pos < 0 || n > kWindow || pos + static_cast<std::int64_t>(n) > m_size)
            return nullptr;
        if (pos >= m_start && pos + static_cast<std::int64_t>(n) <= m_start + m_length)
            return m_buffer.data() + (pos - m_start);
        m_start = pos;
        m_length = 0;
        const auto window = static_cast<std::int64_t>(kWindow);
        while (m_length < window) {
            const ssize_t got =
                ::pread(m_fd, m_buffer.data() + m_length, static_cast<std::size_t>(window - m_length),
                        static_cast<off_t>(pos + m_length));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            m_length += static_cast<std::int64_t>(got);
        }
        return static_cast<std::int64_t>(n) <= m_length ? m_buffer.data() : nullptr;
    }

private:
    int m_fd;
    std::vector<unsigned char> m_buffer;
    std::int64_t m_start = 0, m_length = 0;
};

// A frame counts only when the next one follows where it says (or the audio
// ends there), which keeps stray sync bytes out of the count.
bool frameAt(Source& source, std::int64_t pos, std::int64_t end, FrameHeader& h)
{
    const unsigned char* p = source.at(pos, 4);
    if (!p || !parseHeader(p, h))
        return false;
    const std::int64_t next = pos + static_cast<std::int64_t>(h.length);
    if (next > end)
        return false;
    if (next + 4 > end)
        return true;
    const unsigned char* n = source.at(next, 2);
    return n && n[0] == 0xFF && (n[1] & 0xE0) == 0xE0;
}

Mp3Info scan(Source& source)
{
    Mp3Info info;
    std::int64_t end = source.size();
    if (const unsigned char* t = end >= 128 ? source.at(end - 128, 128) : nullptr;
        t && std::memcmp(t, "TAG", 3) == 0) {
        info.title = trailerText(t, 3);
        info.artist = trailerText(t, 33);
        end -= 128;
    }
    std::int64_t pos = 0;
    if (const unsigned char* d = end >= 10 ? source.at(0, 10) : nullptr; d && std::memcmp(d, "ID3", 3) == 0) {
        const std::int64_t size = (std::int64_t(d[6] & 0x7F) << 21) | (std::int64_t(d[7] & 0x7F) << 14) |
                                  (std::int64_t(d[8] & 0x7F) << 7) | std::int64_t(d[9] & 0x7F);
        pos = 10 + size + ((d[5] & 0x10) ? 10 : 0);
    }

    std::int64_t frames = 0, samples = 0, bitSamples = 0, audioStart = -1;
    std::int64_t searchEnd = pos + Mp3Info::kSyncSearchBytes;
    while (pos + 4 <= end) {
        FrameHeader h{};
        if (!frameAt(source, pos, end, h)) {
            if (++pos >= searchEnd)
                break;
            continue;
        }
        if (audioStart < 0) {
            info.sampleRate = h.sampleRate;
            info.channels = h.channels;
            // An encoder's Xing (VBR) or Info (CBR) frame is no audio; it
            // holds the number of frames, and a VBR one the stream's bytes.
            const unsigned char* x = source.at(pos + 4 + static_cast<std::int64_t>(h.sideInfo), 16);
            const bool xing = x && std::memcmp(x, "Xing", 4) == 0, cbr = x && std::memcmp(x, "Info", 4) == 0;
            if (xing || cbr) {
                const std::uint32_t flags = bigEndian32(x + 4);
                const std::int64_t count = (flags & 1) ? bigEndian32(x + 8) : 0;
                const std::int64_t bytes = (flags & 2) ? bigEndian32(x + ((flags & 1) ? 12 : 8)) : 0;
                if (count > 0 && (cbr || bytes > 0)) {
                    info.valid = true;
                    info.durationMs = count * h.samples * 1000 / h.sampleRate;
                    info.bitrateKbps =
                        cbr ? h.bitrateKbps
                            : static_cast<int>((bytes * 8 * h.sampleRate / (count * h.samples) + 500) / 1000);
                    return info;
                }
                pos += static_cast<std::int64_t>(h.length);
                searchEnd = pos + Mp3Info::kSyncSearchBytes;
                audioStart = pos;
                continue;
            }
            audioStart = pos;
        }
        ++frames;
        samples += h.samples;
        bitSamples += static_cast<std::int64_t>(h.bitrateKbps) * h.samples;
        pos += static_cast<std::int64_t>(h.length);
        searchEnd = pos + Mp3Info::kSyncSearchBytes;
        if (frames == Mp3Info::kMaxWalkedFrames) {
            // The rest of the audio is taken to be like the frames seen so far.
            // (Capped far beyond any real file, so the numbers stay in range.)
            const double scale =
                std::min(1.0 + static_cast<double>(end - pos) / static_cast<double>(pos - audioStart),
                         1e13 / static_cast<double>(samples));
            samples = static_cast<std::int64_t>(static_cast<double>(samples) * scale);
            bitSamples = static_cast<std::int64_t>(static_cast<double>(bitSamples) * scale);
            break;
        }
    }
    if (samples == 0 || info.sampleRate == 0)
        return Mp3Info{false, 0, 0, 0, 0, info.title, info.artist};
    info.valid = true;
    info.durationMs = samples * 1000 / info.sampleRate;
    info.bitrateKbps = static_cast<int>((bitSamples + samples / 2) / samples);
    return info;
}

} // namespace

Mp3Info Mp3Info::fromFile(const std::string& path)
{
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return {};
    Mp3Info info;
    struct stat st
    {
    };
    if (::fstat(fd, &st) == 0) {
        FileSource source(fd, st.st_size);
        info = scan(source);
    }
    ::close(fd);
    return info;
}

Mp3Info Mp3Info::fromBytes(const std::string& bytes)
{
    MemorySource source(bytes);
    return scan(source);
}
