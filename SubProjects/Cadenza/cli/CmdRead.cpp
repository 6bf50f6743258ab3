#include "CliFiles.h"
#include "CliOptions.h"
#include "CliOutput.h"
#include "CliProgress.h"
#include "CliVerb.h"
#include "TagPrinting.h"

#include "OtherTags/OtherTags.h"
#include "Quaver/FileHandler.h"
#include "Quaver/TrailerCodec.h"
#include "ReadAhead/ReadAheadPool.h"

#include <algorithm>
#include <iostream>
#include <type_traits>

namespace {

struct ReadOptions
{
    bool json = false;
    CliFiles::FileArgs files;
};

bool parse(const CliArgs& args, ReadOptions& options)
{
    const bool read = ReadArgs(
        args, "read", {"--json", CliFiles::FileArgs::NulFlag},
        [&](const std::string& name, const std::string& value) {
            if (CliFiles::FileArgs::IsOption(name))
                return options.files.Take("read", name, value);
            if (name == "--json") {
                options.json = true;
                return true;
            }
            std::cerr << "cadenza-cli read: unknown option " << name << '\n';
            return false;
        },
        [&](const std::string& file) { options.files.operands.push_back(file); });
    return read && options.files.Check("read");
}

// The tag in the last 128 bytes the read-ahead fetched, read as the library
// reads it; ID3Unknown when they hold none or were not fetched.
Quaver::EID3TagConstants TagFromTail(const ReadAhead::ReadAheadPool::Tail& tail, Quaver::Tag& tag)
{
    static_assert(std::is_same_v<decltype(tail.Bytes), Quaver::TrailerCodec::Block>);
    if (!tail.Read || tail.Size <= Quaver::Tag::TagLength() || tail.Count != tail.Bytes.size() ||
        !Quaver::TrailerCodec::HasIdentifier(tail.Bytes.data()))
        return Quaver::ID3Unknown;
    return Quaver::TrailerCodec::Parse(tail.Bytes, tag);
}

// Whether the bytes the read-ahead fetched leave room for other tags; when
// they were not fetched, only a look at the file can tell.
bool MayHoldOtherTags(const ReadAhead::ReadAheadPool::Tail& tail)
{
    return !tail.Read || OtherTags::MayHold(tail.Head(), tail.End(), tail.Size);
}

} // namespace

int runRead(const CliArgs& args)
{
    ReadOptions options;
    if (!parse(args, options))
        return ExitUsage;
    const auto names = CliFiles::FileNames::Open(options.files, "read");
    if (!names)
        return ExitUsage;

    int status = ExitOk;
    CliProgress progress(std::cerr, CliProgress::Wanted());
    CliOutput out;
    // The files come back in the order given, each with its last 128 bytes
    // fetched by the pool's threads while the ones before it are printed. The
    // pool's feeder alone takes the names, a folder's as it is walked.
    ReadAhead::ReadAheadPool files([&names]() -> std::optional<ReadAhead::ReadAheadPool::Entry> {
        auto name = names->next();
        if (!name)
            return std::nullopt;
        return ReadAhead::ReadAheadPool::Entry(std::move(*name), names->LastWasRegular());
    });
    const std::vector<OtherTags::Found> none;
    const auto print = [&](const std::string& file, const Quaver::Tag& tag, Quaver::EID3TagConstants type,
                           const std::vector<OtherTags::Found>& others) {
        if (options.json) {
            TagPrinting::appendTagJsonLine(out.text(), file, tag, type, others);
        } else {
            TagPrinting::appendTagText(out.text(), file, tag, type);
            TagPrinting::appendOtherTagsText(out.text(), others);
        }
        out.linesDone();
    };
    Quaver::Tag fetched; // every field is set by each parse
    while (const auto next = files.Next()) {
        progress.Step();
        const std::string& file = next->Path;
        if (const auto type = TagFromTail(next->Fetched, fetched); type != Quaver::ID3Unknown) {
            // Most files hold nothing but the trailer, which their first and
            // last bytes show; only the others are opened again.
            print(file, fetched, type, MayHoldOtherTags(next->Fetched) ? OtherTags::Read(file) : none);
            continue;
        }
        // Anything but a plain tag is read again by the library, which says
        // what it found.
        Quaver::FileHandler handler;
        handler.setFileName(file);
        const auto error = handler.LastError();
        // A cleared record that stays cleared means ReadTag found the file too
        // short to hold a tag: it records nothing for that case.
        error->Clear();
        const Quaver::EID3TagConstants type = handler.ReadTag();
        if (type != Quaver::ID3Unknown) {
            print(file, *handler.ID3v1xTag(), type, OtherTags::Read(file));
            continue;
        }
        // The library takes anything that is no regular file it can reach for
        // a missing one; only then is it worth asking what the name is.
        if (error->Mode() == Quaver::Exclamation)
            CliFiles::RefuseFile(file, "Read Tag", *error);
        if (error->Source().empty()) {
            error->setSource("Read Tag");
            error->setDescription("The file is too short to contain a tag.");
        }
        const bool failed = error->Mode() != Quaver::Information;
        const auto others = failed ? none : OtherTags::Read(file);
        if (options.json) {
            QJsonObject line = TagPrinting::errorJson(file, *error);
            if (!failed)
                line[QStringLiteral("otherTags")] = TagPrinting::otherTagsJson(others);
            out.text() += TagPrinting::jsonLine(line);
        } else if (!failed) {
            out.text() += TagPrinting::visible(file) + ": no tag (" +
                          TagPrinting::visible(error->Description()) + ")\n";
            TagPrinting::appendOtherTagsText(out.text(), others);
        }
        out.linesDone();
        if (failed) {
            out.flush();
            TagPrinting::printFailure(file, *error);
            status = ExitFailed;
        }
    }
    progress.Finish();
    return CliFiles::Finish(*names, status);
}
