// Reading tag fields out of a file's base name, with the program's patterns
// and with patterns the input makes up. The input is the pattern, a newline
// and the base name (UTF-8). In the pattern A, L, T and N stand for artist,
// album, title and track; other characters form the separators between them;
// 0, 1 and 2 alone pick the program's fixed patterns.
#include "TagFormatCollection.h"
#include "modTagFormat.h"

#include <QString>
#include <cstdlib>
#include <string_view>

using namespace modTagFormat;

namespace {

std::shared_ptr<TagFormats> patternOf(std::string_view text)
{
    if (text == "0" || text == "1" || text == "2") {
        const auto fixed = DefaultFormats();
        return fixed->Item(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
    auto pattern = std::make_shared<TagFormats>();
    QString separator;
    QStringList seen;
    const auto flush = [&] {
        if (separator.isEmpty())
            return;
        seen.append(separator);
        pattern->Add(NewSeparatorFormat(separator, static_cast<qint32>(seen.count(separator))));
        separator.clear();
    };
    for (const char c : text) {
        std::shared_ptr<TagFormat> field = c == 'A'   ? NewArtistFormat()
                                           : c == 'L' ? NewAlbumFormat()
                                           : c == 'T' ? NewTitleFormat()
                                           : c == 'N' ? NewTrackFormat()
                                                      : nullptr;
        if (!field) {
            separator += QChar::fromLatin1(c);
            continue;
        }
        flush();
        pattern->Add(field);
    }
    flush();
    return pattern;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    if (newline == std::string_view::npos)
        return 0;
    const std::shared_ptr<TagFormats> pattern = patternOf(input.substr(0, newline));
    if (!pattern)
        return 0;
    const std::string_view name = input.substr(newline + 1);
    std::shared_ptr<Quaver::Tag> tag;
    ParseFileName(*pattern, QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), tag);
    return 0;
}
