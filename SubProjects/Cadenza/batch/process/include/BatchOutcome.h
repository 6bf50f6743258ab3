#pragma once

#include "Quaver/Tag.h"

#include <QString>

#include <string>

// The result of processing one file of a batch run.
struct BatchOutcome
{
    enum class Group
    {
        Ok,    // written, or left alone by test mode or an existing tag
        Error, // the name did not fit the pattern, or the write failed
    };

    std::string FileName;     // as the scanner reported it: the file system's bytes
    std::string RelativeName; // FileName below the run's start folder
    Group Result = Group::Ok;
    QString Message;       // one of BatchMessages, possibly with the library's error line
    Quaver::TagPtr NewTag; // the tag derived for the file; null when the name did not fit
    // Beside the message: the file's ID3v2 tag holds values the new tag does
    // not show, and stays so (BatchMessages::Id3v2Differs); empty otherwise.
    QString Note;
};

// How many files a run has processed so far, and how they came out.
struct BatchCounts
{
    int Done = 0;
    int Ok = 0;
    int Error = 0;
};
