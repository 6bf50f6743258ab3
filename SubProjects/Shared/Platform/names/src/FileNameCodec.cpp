#include "Platform/FileNameCodec.h"

#include "Platform/Ansi.h"

namespace Platform {

namespace {

constexpr char16_t EscapeBase = 0xDC00;

bool isContinuation(unsigned char c, unsigned char low = 0x80, unsigned char high = 0xBF)
{
    return c >= low && c <= high;
}

// Length of the well-formed UTF-8 sequence at s[i] (RFC 3629: no overlong forms,
// no surrogates, nothing above U+10FFFF), or 0 when none starts there.
std::size_t sequenceLength(const std::string& s, std::size_t i)
{
    const auto at = [&](std::size_t k) {
        return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0;
    };
    const unsigned char lead = at(0);
    if (lead >= 0xC2 && lead <= 0xDF)
        return isContinuation(at(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return isContinuation(at(1), low, high) && isContinuation(at(2)) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return isContinuation(at(1), low, high) && isContinuation(at(2)) && isContinuation(at(3)) ? 4 : 0;
    }
    return 0;
}

// The byte DecodeFileName escaped as this lone low surrogate, or -1.
int escapedByte(char16_t u)
{
    return u >= EscapeBase + 0x80 && u <= EscapeBase + 0xFF ? u - EscapeBase : -1;
}

} // namespace

QString DecodeFileName(const std::string& bytes)
{
    std::size_t valid = 0;
    while (valid < bytes.size()) {
        if (static_cast<unsigned char>(bytes[valid]) < 0x80)
            ++valid;
        else if (const std::size_t len = sequenceLength(bytes, valid))
            valid += len;
        else
            break;
    }
    if (valid == bytes.size())
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));

    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            out.append(QChar(c));
            ++i;
            continue;
        }
        const std::size_t len = sequenceLength(bytes, i);
        if (len == 0) {
            out.append(QChar(static_cast<char16_t>(EscapeBase + c)));
            ++i;
            continue;
        }
        out.append(QString::fromUtf8(bytes.data() + i, static_cast<qsizetype>(len)));
        i += len;
    }
    return out;
}

std::string EncodeFileName(const QString& name)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(name.size()));
    const qsizetype n = name.size();
    qsizetype start = 0; // start of the run of ordinary characters not yet written
    const auto flush = [&](qsizetype end) {
        if (end > start)
            out += QStringView(name).mid(start, end - start).toUtf8().toStdString();
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = name.at(i).unicode();
        const bool pairedLow = i > 0 && QChar::isHighSurrogate(name.at(i - 1).unicode());
        if (const int byte = escapedByte(u); byte >= 0 && !pairedLow) {
            flush(i);
            out += static_cast<char>(byte);
            start = i + 1;
        }
    }
    flush(n);
    return out;
}

// Writes straight into the string rather than through QByteArray: the pattern
// parser calls this for every field of every name.
std::string FileNameToText(QStringView name)
{
    const qsizetype n = name.size();
    std::string out(static_cast<std::size_t>(n), '\0');
    qsizetype i = 0;
    for (; i < n && name[i].unicode() < 0x80; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<char>(name[i].unicode());
    if (i == n)
        return out; // plain ASCII, the usual case
    out.resize(static_cast<std::size_t>(i));
    for (; i < n; ++i) {
        const char16_t u = name[i].unicode();
        char32_t c = u;
        if (QChar::isHighSurrogate(u) && i + 1 < n && name[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(u, name[++i].unicode());
        else if (const int byte = escapedByte(u); byte >= 0)
            c = AnsiToChar(static_cast<unsigned char>(byte));
        else if (QChar::isSurrogate(u))
            c = '?';
        AppendUtf8(out, c);
    }
    return out;
}

} // namespace Platform
