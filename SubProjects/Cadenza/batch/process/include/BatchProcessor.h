#pragma once

#include "BatchOutcome.h"
#include "BatchSettings.h"

#include <string>

// The work a batch run does per file, shared by the batch panel and the
// command line. File names are the bytes the file system holds.
namespace BatchProcessor {

// Reads the file's base name by the pattern and merges the default tag in.
// parseError tells whether the name did not fit the pattern; the merged tag is
// returned either way.
Quaver::TagPtr DeriveTag(const std::shared_ptr<TagFormats>& format, const Quaver::Tag& defaultTag,
                         const std::string& fileName, bool& parseError);

// Whether a name the scanner reported should be processed at all: everything
// except entries that exist and are not regular files (a folder called
// "x.mp3", a pipe), which are no music and which a write could even block on.
// A name that has vanished is processed and reported like any other.
bool IsProcessable(const std::string& fileName);

// Processes one file: derive its tag and, unless test mode is on or an
// existing tag is to be kept, write it. Never throws for a failing file.
BatchOutcome ProcessFile(const BatchSettings& settings, const std::string& fileName);

} // namespace BatchProcessor
