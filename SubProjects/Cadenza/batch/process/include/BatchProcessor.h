#pragma once

#include "BatchOutcome.h"
#include "BatchSettings.h"

#include <QString>

#include <optional>

// The work a batch run does per file, shared by the batch panel and the
// command line.
namespace BatchProcessor {

// Reads the file's base name by the pattern and merges the default tag in.
// parseError tells whether the name did not fit the pattern; the merged tag is
// returned either way.
Quaver::TagPtr DeriveTag(const std::shared_ptr<TagFormats>& format, const Quaver::Tag& defaultTag,
                         const QString& fileName, bool& parseError);

// Whether a name the scanner reported should be processed at all: everything
// except entries that exist and are not regular files (a folder called
// "x.mp3", a pipe), which are no music and which a write could even block on.
// A name that has vanished is processed and reported like any other.
bool IsProcessable(const QString& fileName);

// What a look at a file just before found, so processing need not look again:
// whether it is a regular file, and whether it ends in a tag (unknown when its
// end was not read).
struct FileFacts
{
    bool Regular = false;
    std::optional<bool> HasTag;
};

// Processes one file: derive its tag and, unless test mode is on or an
// existing tag is to be kept, write it. Never throws for a failing file.
// known, when given, answers whether the file already has a tag.
BatchOutcome ProcessFile(const BatchSettings& settings, const QString& fileName,
                         const FileFacts* known = nullptr);

} // namespace BatchProcessor
