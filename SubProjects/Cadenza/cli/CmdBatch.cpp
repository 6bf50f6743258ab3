#include "CliFiles.h"
#include "CliOptions.h"
#include "CliProgress.h"
#include "CliVerb.h"
#include "GenreNames.h"
#include "TagPrinting.h"

#include "BatchRun.h"

#include "modTagFormat.h"

#include <QJsonObject>
#include <QJsonValue>
#include <iostream>
#include <optional>

namespace {

struct BatchOptions
{
    std::string dir;
    std::optional<int> format;
    bool fromId3v2 = false;
    OtherTags::Id3v2Sync alsoId3v2 = OtherTags::Id3v2Sync::Off;
    bool write = false;
    bool overwrite = false;
    bool json = false;
    bool nul = false;
    Quaver::TagPtr defaults = std::make_shared<Quaver::Tag>();
};

bool fail(const std::string& message)
{
    std::cerr << "cadenza-cli batch: " << message << '\n';
    return false;
}

bool setOption(BatchOptions& options, const std::string& name, const std::string& value)
{
    Quaver::Tag& tag = *options.defaults;
    if (name == "--write") {
        options.write = true;
    } else if (name == "--overwrite") {
        options.overwrite = true;
    } else if (name == "--json") {
        options.json = true;
    } else if (name == "-0") {
        options.nul = true;
    } else if (name == "--format") {
        options.format = ReadNumber(value, 2);
        if (!options.format)
            return fail("--format needs 0, 1 or 2, not '" + value + "'");
    } else if (name == "--source") {
        if (value != "id3v2" && value != "name")
            return fail("--source needs id3v2 or name, not '" + value + "'");
        options.fromId3v2 = value == "id3v2";
    } else if (name == "--also-id3v2") {
        const auto sync = ReadId3v2Sync("batch", value);
        if (!sync)
            return false;
        options.alsoId3v2 = *sync;
    } else if (name == "--artist") {
        tag.setArtist(value);
    } else if (name == "--album") {
        tag.setAlbum(value);
    } else if (name == "--year") {
        tag.setYear(value);
    } else if (name == "--comment") {
        tag.setComment(value);
    } else if (name == "--track") {
        const auto track = ReadNumber(value, 255);
        if (!track)
            return fail("--track needs a number from 0 to 255, not '" + value + "'");
        tag.setTrack(static_cast<std::int16_t>(*track));
    } else if (name == "--genre") {
        const auto genre = GenreNames::ReadOption("batch", value);
        if (!genre)
            return false;
        tag.setGenre(*genre);
    } else {
        return fail("unknown option " + name);
    }
    return true;
}

bool parse(const CliArgs& args, BatchOptions& options)
{
    std::vector<std::string> dirs;
    const bool read = ReadArgs(
        args, "batch", {"--write", "--overwrite", "--json", "-0", "--also-id3v2"},
        [&](const std::string& name, const std::string& value) { return setOption(options, name, value); },
        [&](const std::string& dir) { dirs.push_back(dir); });
    if (!read)
        return false;
    if (dirs.size() != 1)
        return fail(dirs.empty() ? "no directory given" : "one directory at a time");
    if (options.fromId3v2 && options.format)
        return fail("--format reads names; it does not go with --source id3v2");
    if (!options.format && !options.fromId3v2)
        return fail("--format is needed (0, 1 or 2)");
    options.dir = dirs.front();
    // The default tag is typed into the panel's fields; collecting them makes
    // its type follow the track.
    options.defaults->setTagType(Quaver::TagTypeForTrack(options.defaults->Track()));
    return true;
}

void printOutcome(const BatchOutcome& outcome, const BatchOptions& options)
{
    const std::string& file = outcome.FileName;
    const bool ok = outcome.Result == BatchOutcome::Group::Ok;
    if (!options.json) {
        // With -0 the name is given exactly and the line ends with NUL: the
        // name is what stands between the first tab and the last, as neither
        // the outcome nor the (escaped) message holds a tab.
        // A run has few distinct messages: the last one is converted once.
        static QString lastMessage;
        static std::string lastShown;
        if (lastShown.empty() || outcome.Message != lastMessage) {
            lastMessage = outcome.Message;
            lastShown = TagPrinting::visible(outcome.Message.toStdString());
        }
        std::cout << (ok ? "Ok" : "Error") << '\t' << (options.nul ? file : TagPrinting::visible(file))
                  << '\t' << lastShown << (options.nul ? '\0' : '\n');
        return;
    }
    QJsonValue tag = QJsonValue::Null;
    if (outcome.NewTag) {
        QJsonObject fields = TagPrinting::tagJson(std::string(), *outcome.NewTag, outcome.NewTag->TagType());
        fields.remove("file");
        tag = fields;
    }
    QJsonObject line{
        {"outcome", ok ? "Ok" : "Error"},
        {"message", outcome.Message},
        {"tag", tag},
    };
    TagPrinting::setName(line, QStringLiteral("file"), file);
    std::cout << TagPrinting::jsonLine(line);
}

} // namespace

int runBatch(const CliArgs& args)
{
    BatchOptions options;
    if (!parse(args, options))
        return ExitUsage;
    // The panel shows an empty result for a directory that is not there or
    // cannot be read; a script would take that for success, so it is reported
    // as a failure with its reason.
    if (const auto problem = CliFiles::FolderProblem(options.dir, "not a directory")) {
        std::cerr << "cadenza-cli batch: " << TagPrinting::visible(options.dir) << ": " << *problem << '\n';
        return ExitFailed;
    }

    BatchSettings settings;
    if (options.format)
        settings.Format = modTagFormat::DefaultFormats()->ItemAt(*options.format + 1);
    settings.FromId3v2 = options.fromId3v2;
    settings.DefaultTag = options.defaults;
    settings.TestMode = !options.write;
    settings.Overwrite = options.overwrite;
    settings.AlsoId3v2 = options.alsoId3v2;

    std::ios::sync_with_stdio(false);
    int ok = 0;
    int errors = 0;
    BatchRun run;
    // No folder status is shown here, so the writes of several folders can
    // share one flush of the undo journal.
    run.SetReportEachFolderFirst(false);
    CliProgress progress(std::cerr, CliProgress::Wanted());
    QObject::connect(&run, &BatchRun::FileProcessed, [&](const BatchOutcome& outcome) {
        (outcome.Result == BatchOutcome::Group::Ok ? ok : errors) += 1;
        printOutcome(outcome, options);
        progress.Step();
    });
    run.Run(options.dir, settings);
    progress.Finish();
    if (!run.Problem().isEmpty()) {
        // The undo journal could not be written: nothing (more) was written.
        std::cerr << "cadenza-cli batch: " << run.Problem().toStdString()
                  << "; the run stopped before writing\n";
        return ExitFailed;
    }

    // The summary keeps out of output meant for a program.
    std::ostream& summary = options.json || options.nul ? std::cerr : std::cout;
    summary << ok + errors << " files: " << ok << " Ok, " << errors << " Error"
            << (options.write ? "" : " (test mode: nothing written)") << '\n';
    std::cout.flush();
    return errors == 0 ? ExitOk : ExitFailed;
}
