#pragma once

#include "TagFieldTexts.h"

#include "Platform/MessageBox.h"
#include <QString>
#include <string>
#include <vector>

// A field of the tag field panel, in tab order.
enum class TagField
{
    Title,
    Artist,
    Album,
    Year,
    Genre,
    Track,
    Comment
};

// The field's caption, as the field panel shows it.
QString FieldCaption(TagField field);

// One way in which saving what the fields show would store something else.
struct SaveChange
{
    TagField Field;
    QString Text; // one sentence for the user, naming the field and the characters
};

// What saving the typed texts would store differently from what they show:
// characters the trailer's code page has no code for (stored as "?"), text
// beyond a field's width (a comment beside a track holds 28 characters), a
// typed genre name that is not the genre saved, and a track text that is no
// track number. In field order; empty when the tag is stored as shown.
std::vector<SaveChange> ChangesOnSave(const TagFieldTexts& typed);

// The question before such a save: Yes saves anyway, No goes back to the fields.
Platform::MessageBoxRequest ConfirmSaveBox(const std::vector<SaveChange>& changes,
                                           const std::string& caption);

// The question before fields copied from another tag are put in, when the
// trailer cannot hold them as they are: Yes copies, No keeps the fields.
Platform::MessageBoxRequest ConfirmCopyBox(const std::vector<SaveChange>& changes,
                                           const std::string& caption);
