#include "CliOptions.h"
#include "CliVerb.h"
#include "TagPrinting.h"

#include "Platform/FileNameCodec.h"
#include "modTagFormat.h"

#include <QJsonObject>
#include <iostream>

namespace {

struct ParseOptions
{
    bool json = false;
    int format = -1;
    std::vector<std::string> names;
};

bool readFormat(const std::string& text, int& format)
{
    if (text != "0" && text != "1" && text != "2") {
        std::cerr << "cadenza-cli parse: --format takes 0, 1 or 2\n";
        return false;
    }
    format = text[0] - '0';
    return true;
}

bool parseArgs(const CliArgs& args, ParseOptions& options)
{
    const bool read = ReadArgs(
        args, "parse", {"--json"},
        [&](const std::string& name, const std::string& value) {
            if (name == "--json") {
                options.json = true;
                return true;
            }
            if (name == "--format")
                return readFormat(value, options.format);
            std::cerr << "cadenza-cli parse: unknown option " << name << '\n';
            return false;
        },
        [&](const std::string& name) { options.names.push_back(name); });
    if (!read)
        return false;
    if (options.format < 0)
        std::cerr << "cadenza-cli parse: --format is required\n";
    else if (options.names.empty())
        std::cerr << "cadenza-cli parse: no name given\n";
    return options.format >= 0 && !options.names.empty();
}

void printText(const std::string& name, bool parseError, const Quaver::Tag& tag)
{
    using TagPrinting::visible;
    std::cout << visible(name) << ": " << (parseError ? "parse error" : "ok") << '\n'
              << "  Tag type: " << static_cast<int>(tag.TagType()) << '\n'
              << "  Title:    " << visible(tag.Title()) << '\n'
              << "  Artist:   " << visible(tag.Artist()) << '\n'
              << "  Album:    " << visible(tag.Album()) << '\n'
              << "  Year:     " << visible(tag.Year()) << '\n'
              << "  Track:    " << tag.Track() << '\n';
}

void printJson(const std::string& name, bool parseError, const Quaver::Tag& tag)
{
    const auto text = [](const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); };
    QJsonObject object{
        {"parseError", parseError},   {"tagType", static_cast<int>(tag.TagType())},
        {"title", text(tag.Title())}, {"artist", text(tag.Artist())},
        {"album", text(tag.Album())}, {"year", text(tag.Year())},
        {"track", tag.Track()},
    };
    TagPrinting::setName(object, QStringLiteral("name"), name);
    std::cout << TagPrinting::jsonLine(object);
}

} // namespace

// Each NAME is taken as a base name as it stands: nothing is stripped, since
// a dot inside a name ("Mr. X - Album - 01.Song") is not an extension.
int runParse(const CliArgs& args)
{
    ParseOptions options;
    if (!parseArgs(args, options))
        return ExitUsage;

    const auto pattern = modTagFormat::DefaultFormats()->ItemAt(options.format + 1);
    int status = ExitOk;
    for (const std::string& name : options.names) {
        const QString baseName = Platform::DecodeFileName(name);
        std::shared_ptr<Quaver::Tag> tag;
        const bool parseError = modTagFormat::ParseFileName(*pattern, baseName, tag);
        if (options.json)
            printJson(name, parseError, *tag);
        else
            printText(name, parseError, *tag);
        if (parseError) {
            std::cerr << "cadenza-cli: " << TagPrinting::visible(name)
                      << ": Parsing error: Filename doesn't match with the format.\n";
            status = ExitFailed;
        }
    }
    return status;
}
