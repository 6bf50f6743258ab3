// ParseFileName over 100,000 base names with the pattern "#AR# - #AL# - #TR#.#TI#",
// against a baseline in the same run: the same fields cut out by hand with
// QString::indexOf for this one pattern, into the same kind of record.
#include "modTagFormat.h"

#include "Platform/Numeric.h"

#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int Names = 100000;

std::shared_ptr<Quaver::Tag> handParse(const QString& name)
{
    auto tag = std::make_shared<Quaver::Tag>();
    const QString dash = QStringLiteral(" - ");
    const qsizetype a = name.indexOf(dash);
    const qsizetype b = a < 0 ? -1 : name.indexOf(dash, a + 3);
    const qsizetype dot = b < 0 ? -1 : name.indexOf(QLatin1Char('.'));
    if (a >= 0)
        tag->setArtist(name.left(a).toStdString());
    if (b >= 0)
        tag->setAlbum(name.mid(a + 3, b - a - 3).toStdString());
    if (dot >= 0) {
        tag->setTitle(name.mid(dot + 1).toStdString());
        if (const auto track = Platform::TextToInt16(name.mid(b + 3, dot - b - 3).toStdString())) {
            tag->setTrack(*track);
            tag->setTagType(Quaver::ID3V11);
        }
    }
    return tag;
}

template <typename F> double bestSeconds(int rounds, F&& run)
{
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::vector<QString> names;
    names.reserve(Names);
    for (int i = 0; i < Names; ++i) {
        names.push_back(QStringLiteral("Artist %1 - Album of the year %2 - %3.Title number %1")
                            .arg(i)
                            .arg(i % 97)
                            .arg(i % 30 + 1, 2, 10, QLatin1Char('0')));
    }
    const auto pattern = modTagFormat::DefaultFormats()->Item(QStringLiteral("0"));

    long checksum = 0;
    const double parsed = bestSeconds(rounds, [&] {
        for (const QString& name : names) {
            std::shared_ptr<Quaver::Tag> tag;
            checksum += modTagFormat::ParseFileName(*pattern, name, tag) ? 1000 : tag->Track();
        }
    });
    long baseChecksum = 0;
    const double baseline = bestSeconds(rounds, [&] {
        for (const QString& name : names)
            baseChecksum += handParse(name)->Track();
    });

    std::printf("ParseFileName: %.0f names/s (target >= 1000000)\n", Names / parsed);
    std::printf("hand-cut:      %.0f names/s\n", Names / baseline);
    std::printf("ratio:         %.0f%% of the hand-cut rate\n", 100 * baseline / parsed);
    return checksum / rounds == baseChecksum / rounds ? 0 : 1;
}
