#include "CliOptions.h"

#include "Platform/Numeric.h"

#include <algorithm>
#include <iostream>

bool ReadArgs(const CliArgs& args, const std::string& verb, const std::vector<std::string>& flags,
              const std::function<bool(const std::string& name, const std::string& value)>& option,
              const std::function<void(const std::string& operand)>& operand)
{
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsDone || arg.size() < 2 || arg[0] != '-') {
            operand(arg);
        } else if (arg == "--") {
            optionsDone = true;
        } else if (arg == "--help" || arg == "-h") {
            throw HelpRequested();
        } else if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
            if (!option(arg, std::string()))
                return false;
        } else if (const auto eq = arg.find('='); eq != std::string::npos) {
            if (!option(arg.substr(0, eq), arg.substr(eq + 1)))
                return false;
        } else if (i + 1 < args.size()) {
            if (!option(arg, args[++i]))
                return false;
        } else {
            std::cerr << "cadenza-cli " << verb << ": " << arg << " needs a value\n";
            return false;
        }
    }
    return true;
}

std::optional<int> ReadNumber(const std::string& text, int max)
{
    const auto number = Platform::TextToInt16(text);
    if (!number || *number < 0 || *number > max)
        return std::nullopt;
    return *number;
}

std::optional<OtherTags::Id3v2Sync> ReadId3v2Sync(const std::string& verb, const std::string& value)
{
    if (value.empty() || value == "update")
        return OtherTags::Id3v2Sync::Update;
    if (value == "create")
        return OtherTags::Id3v2Sync::Create;
    std::cerr << "cadenza-cli " << verb << ": --also-id3v2 takes =update or =create, not '" << value << "'\n";
    return std::nullopt;
}
