#pragma once

#include "SaveCheck.h"
#include "TagFieldTexts.h"

#include "OtherTags/OtherTags.h"
#include "Quaver/Tag.h"
#include <QString>
#include <array>
#include <vector>

// What the editor and the batch preview show of a file's other tags beside a
// trailer: one column per tag, in file order, and in it one cell per field in
// the order of the field panel, marked where the tag holds a value the
// trailer does not show.
struct OtherTagsTable
{
    struct Cell
    {
        QString Text; // empty when the tag does not hold the field
        bool Differs = false;
    };
    struct Column
    {
        QString Kind;              // "ID3v2.3", "APEv2", ...
        std::array<Cell, 7> Cells; // by TagField
    };
    std::vector<Column> Columns;
    // One line above the table: which tags there are, that players show an
    // ID3v2 tag first, and what the marks mean.
    QString Caption;
};

// The table of tags beside trailer (null: the file has no trailer, so every
// value a tag holds differs).
OtherTagsTable TabulateOtherTags(const std::vector<OtherTags::Found>& tags, const Quaver::Tag* trailer);

// The field texts after "Copy from ID3v2": each field the tag holds with its
// full text, the others as shown. A genre name the trailer's list does not
// have and a track beyond 255 are put in as text, so that the check before
// saving names them (the genre number stays the shown one).
TagFieldTexts CopiedTexts(const TagFieldTexts& shown, const OtherTags::Fields& fields);
