#include "CliFiles.h"
#include "CliOptions.h"
#include "CliProgress.h"
#include "CliVerb.h"
#include "GenreNames.h"
#include "TagPrinting.h"

#include "Quaver/FileHandler.h"

#include <iostream>
#include <optional>

namespace {

struct WriteOptions
{
    std::optional<std::string> title, artist, album, year, comment;
    std::optional<std::int16_t> track;
    std::optional<std::uint8_t> genre;
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
        args, "write", {CliFiles::FileArgs::NulFlag},
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

} // namespace

int runWrite(const CliArgs& args)
{
    WriteOptions options;
    if (!parse(args, options))
        return ExitUsage;
    const auto names = CliFiles::FileNames::Open(options.files, "write");
    if (!names)
        return ExitUsage;

    int status = ExitOk;
    CliProgress progress(std::cerr, CliProgress::Wanted());
    while (const auto next = names->next()) {
        progress.Step();
        const std::string& file = *next;
        Quaver::FileHandler handler;
        handler.setFileName(file);
        // Each call below starts from a cleared record, so a failure is told
        // from what that call recorded, never from an earlier or initial one.
        const auto error = handler.LastError();
        error->Clear();
        if (CliFiles::RefuseFile(file, "Write Tag", *error)) {
            TagPrinting::printFailure(file, *error);
            status = ExitFailed;
            continue;
        }
        // The current tag, or the new record the handler holds when there is
        // none (no "TAG", or a file of 128 bytes or less, which gets a trailer
        // appended). A file that exists but cannot be read is not written: its
        // tag would be lost.
        if (handler.ReadTag() == Quaver::ID3Unknown && error->Mode() == Quaver::Critical) {
            TagPrinting::printFailure(file, *error);
            status = ExitFailed;
            continue;
        }
        apply(options, *handler.ID3v1xTag());
        error->Clear();
        if (!handler.WriteTag()) {
            TagPrinting::printFailure(file, *error);
            status = ExitFailed;
            continue;
        }
        std::cout << TagPrinting::visible(file) << ": tag written ("
                  << (handler.ID3v1xTag()->TagType() == Quaver::ID3V11 ? "ID3v1.1" : "ID3v1.0") << ")\n";
    }
    progress.Finish();
    return CliFiles::Finish(*names, status);
}
