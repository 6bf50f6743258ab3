#pragma once

#include "CliVerb.h"

#include "OtherTags/Id3v2Sync.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Raised by ReadArgs when "--help" or "-h" stands where an option may: the
// verb stops before it touches anything and main prints its usage.
struct HelpRequested
{
};

// Reads a verb's arguments the way every verb takes them: "--name value" or
// "--name=value" for an option with a value, a bare "--name" for one of the
// verb's flags, "--" ends the options, and any other argument is an operand (a
// file or a directory). option is called with each option or flag (a flag's
// value is empty) and returns false for one it rejects; it prints why itself.
// Returns false when an argument was rejected or an option lacks its value
// (then "cadenza-cli VERB: NAME needs a value" is printed). "--help" and "-h"
// raise HelpRequested (after "--" they are operands, as the value of an option
// they are that value).
bool ReadArgs(const CliArgs& args, const std::string& verb, const std::vector<std::string>& flags,
              const std::function<bool(const std::string& name, const std::string& value)>& option,
              const std::function<void(const std::string& operand)>& operand);

// A whole number from 0 to max as the option texts give it (rounded half to
// even like the editor's fields), or nothing.
std::optional<int> ReadNumber(const std::string& text, int max);

// The value of --also-id3v2: none (or "update") writes into an ID3v2 tag the
// file has, "create" also gives a file without one an ID3v2.4 tag. Nothing
// after printing why for any other value.
std::optional<OtherTags::Id3v2Sync> ReadId3v2Sync(const std::string& verb, const std::string& value);
