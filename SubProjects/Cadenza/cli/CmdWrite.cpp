#include "CliFiles.h"
#include "CliOptions.h"
#include "CliProgress.h"
#include "CliVerb.h"
#include "GenreNames.h"
#include "TagPrinting.h"

#include "CliJournal.h"
#include "MergeTags.h"
#include "OtherTags/OtherTags.h"
#include "Quaver/FileHandler.h"
#include "Quaver/TrailerCodec.h"
#include "RecordedWrite.h"

#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"

#include <algorithm>
#include <iostream>
#include <optional>

namespace {

struct WriteOptions
{
    std::optional<std::string> title, artist, album, year, comment;
    std::optional<std::int16_t> track;
    std::optional<std::uint8_t> genre;
    bool fromId3v2 = false;
    OtherTags::Id3v2Sync alsoId3v2 = OtherTags::Id3v2Sync::Off;
    CliFiles::FileArgs files;
};

bool fail(const std::string& message)
{
    std::cerr << "cadenza-cli write: " << message << '\n';
    return false;
}

// Stores one option's value; false (with a message) when it is not valid.
bool setOption(WriteOptions& options, const std::string& name, const std::string& value)
{
    if (name == "--title") {
        options.title = value;
    } else if (name == "--artist") {
        options.artist = value;
    } else if (name == "--album") {
        options.album = value;
    } else if (name == "--year") {
        options.year = value;
    } else if (name == "--comment") {
        options.comment = value;
    } else if (name == "--track") {
        // Empty clears the track. A track the trailer cannot hold is refused
        // here, before any file is touched, as batch refuses it.
        const auto track = value.empty() ? std::optional<int>(0) : ReadNumber(value, 255);
        if (!track)
            return fail("--track needs a number from 0 to 255, not '" + value + "'");
        options.track = static_cast<std::int16_t>(*track);
    } else if (name == "--genre") {
        options.genre = GenreNames::ReadOption("write", value);
        return options.genre.has_value();
    } else if (name == "--from-id3v2") {
        options.fromId3v2 = true;
    } else if (name == "--also-id3v2") {
        const auto sync = ReadId3v2Sync("write", value);
        if (!sync)
            return false;
        options.alsoId3v2 = *sync;
    } else if (CliFiles::FileArgs::IsOption(name)) {
        return options.files.Take("write", name, value);
    } else {
        return fail("unknown option " + name);
    }
    return true;
}

bool parse(const CliArgs& args, WriteOptions& options)
{
    const bool read = ReadArgs(
        args, "write", {CliFiles::FileArgs::NulFlag, "--from-id3v2", "--also-id3v2"},
        [&](const std::string& name, const std::string& value) { return setOption(options, name, value); },
        [&](const std::string& file) { options.files.operands.push_back(file); });
    return read && options.files.Check("write");
}

// Applies the named fields to the record and decides its version from the track.
void apply(const WriteOptions& options, Quaver::Tag& tag)
{
    if (options.title)
        tag.setTitle(*options.title);
    if (options.artist)
        tag.setArtist(*options.artist);
    if (options.album)
        tag.setAlbum(*options.album);
    if (options.year)
        tag.setYear(*options.year);
    if (options.comment)
        tag.setComment(*options.comment);
    if (options.track)
        tag.setTrack(*options.track);
    if (options.genre)
        tag.setGenre(*options.genre);
    tag.setTagType(Quaver::TagTypeForTrack(tag.Track()));
}

// One file of a group: its handler holding the new tag and the journal entry
// made for it, or the failure line that stands in its place in the output.
struct Planned
{
    Quaver::FileHandler handler;
    int entry = 0;
    std::string failure;
    std::vector<OtherTags::Found> others; // the file's other tags before the write
    // The write when it changes more than the trailer: the ID3v2 tag, a TAG+ block.
    std::optional<Journal::PlannedSplice> splice;
};

// The fields a write sets: those named, or all when they come from ID3v2
// (named only: those named).
std::vector<std::string> written(const WriteOptions& options, bool named = false)
{
    const std::pair<const char*, bool> fields[] = {
        {"title", options.title.has_value()},     {"artist", options.artist.has_value()},
        {"album", options.album.has_value()},     {"year", options.year.has_value()},
        {"comment", options.comment.has_value()}, {"track", options.track.has_value()},
        {"genre", options.genre.has_value()}};
    std::vector<std::string> names;
    for (const auto& [name, set] : fields)
        if (set || (options.fromId3v2 && !named))
            names.emplace_back(name);
    return names;
}

// What goes into the ID3v2 tag: the fields named, an empty one clearing its
// frame. Fields taken from the ID3v2 tag itself are not written back (the
// trailer holds them cut).
OtherTags::Id3v2Update id3v2Update(const WriteOptions& options)
{
    return {written(options, true), true};
}

// One line on stderr per other tag that still holds another value for a
// field the write set: tools that read that tag show the old value. The ID3v2
// tag (when written too) and a TAG+ block followed the trailer.
void noteStale(const std::string& file, const Planned& planned, const std::vector<std::string>& fields,
               OtherTags::Id3v2Sync sync)
{
    const std::vector<OtherTags::Found>& others = planned.others;
    const Quaver::Tag& tag = *planned.handler.ID3v1xTag();
    for (const OtherTags::Found& other : others) {
        if ((other.Kind == "TAG+" && planned.splice) ||
            (sync != OtherTags::Id3v2Sync::Off && OtherTags::FirstId3v2(others) == &other))
            continue;
        std::string stale;
        for (const std::string& name : OtherTags::Differing(other.Values, tag))
            if (std::find(fields.begin(), fields.end(), name) != fields.end())
                stale += (stale.empty() ? "" : ", ") + name;
        if (stale.empty())
            continue;
        CliProgress::Interrupt();
        std::cerr << "cadenza-cli: " << TagPrinting::visible(file) << ": the " << other.Kind
                  << " tag still holds another " << stale
                  << (OtherTags::FirstId3v2(others) == &other ? " (players show it first)\n" : "\n");
    }
}

// Reads the file's tag, applies the options and records the write in the
// journal; false (the failure noted) when the file is not to be written.
bool plan(const WriteOptions& options, const std::string& file, Planned& planned, Journal::JournalRun& run)
{
    Quaver::FileHandler& handler = planned.handler;
    handler.setFileName(file);
    // Each call below starts from a cleared record, so a failure is told
    // from what that call recorded, never from an earlier or initial one.
    const auto error = handler.LastError();
    error->Clear();
    const auto failed = [&] {
        planned.failure = TagPrinting::errorText(file, *error);
        return false;
    };
    if (CliFiles::RefuseFile(file, "Write Tag", *error))
        return failed();
    // The current tag, or the new record the handler holds when there is
    // none (no "TAG", or a file of 128 bytes or less, which gets a trailer
    // appended). A file that exists but cannot be read is not written: its
    // tag would be lost.
    if (handler.ReadTag() == Quaver::ID3Unknown && error->Mode() == Quaver::Critical)
        return failed();
    planned.others = OtherTags::Read(file);
    if (options.fromId3v2) {
        // The fields come from the ID3v2 tag; the options fill its gaps, as
        // the default tag fills those of a file name.
        const OtherTags::Found* id3v2 = OtherTags::FirstId3v2(planned.others);
        if (!id3v2) {
            planned.failure = TagPrinting::visible(file) + ": No ID3v2 tag.";
            return false;
        }
        Quaver::Tag defaults;
        apply(options, defaults);
        handler.setID3v1xTag(MergeTags(*OtherTags::ToTrailer(id3v2->Values), defaults));
    } else {
        apply(options, *handler.ID3v1xTag());
    }
    error->Clear();
    // A missing file is left to the write, which says so in the library's words.
    if (!Platform::FileSystemObject().FindFile(file))
        return true;
    try {
        const Journal::FileEnd before = Journal::ReadFileEnd(file);
        const auto block = Quaver::TrailerCodec::Render(*handler.ID3v1xTag());
        planned.splice = Journal::PlanSplice(file, before, *handler.ID3v1xTag(), block, options.alsoId3v2,
                                             id3v2Update(options));
        planned.entry = planned.splice ? run.Intend(file, before, planned.splice->Change)
                                       : run.Intend(file, before, Journal::AfterWrite(before, block));
    } catch (const Platform::RuntimeError& e) {
        error->CopyError(&e);
        return failed();
    }
    return true;
}

} // namespace

int runWrite(const CliArgs& args)
{
    WriteOptions options;
    if (!parse(args, options))
        return ExitUsage;
    const auto names = CliFiles::FileNames::Open(options.files, "write");
    if (!names)
        return ExitUsage;
    const auto run = CliJournal::Begin("write", CliJournal::Describe(options.files));
    if (!run)
        return ExitFailed;

    int status = ExitOk;
    CliProgress progress(std::cerr, CliProgress::Wanted());
    const std::vector<std::string> fields = written(options);
    const auto planOne = [&](const std::string& file, Planned& planned) {
        plan(options, file, planned, *run);
    };
    for (std::vector<Planned> group; CliJournal::NextGroup(*names, group, planOne);) {
        // Every file of the group is in the journal on disk before one is touched.
        if (!CliJournal::Sync(*run, "write"))
            return ExitFailed;
        for (Planned& planned : group) {
            progress.Step();
            const std::string& file = planned.handler.FileName();
            if (!planned.failure.empty()) {
                std::cerr << "cadenza-cli: " << planned.failure << '\n';
                status = ExitFailed;
                continue;
            }
            if (!Journal::WriteRecord(planned.handler, planned.splice)) {
                TagPrinting::printFailure(file, *planned.handler.LastError());
                status = ExitFailed;
                continue;
            }
            if (planned.entry)
                run->Done(planned.entry, file);
            std::cout << TagPrinting::visible(file) << ": tag written ("
                      << (planned.handler.ID3v1xTag()->TagType() == Quaver::ID3V11 ? "ID3v1.1" : "ID3v1.0")
                      << ")\n";
            if (planned.splice && !planned.splice->Id3v2Kind.empty())
                std::cout << TagPrinting::visible(file) << ": " << planned.splice->Id3v2Kind
                          << " tag written\n";
            noteStale(file, planned, fields, options.alsoId3v2);
        }
    }
    progress.Finish();
    run->Finish();
    return CliFiles::Finish(*names, status);
}
