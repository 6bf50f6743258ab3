#include "CliOptions.h"
#include "CliVerb.h"
#include "GenreNames.h"
#include "TagPrinting.h"

#include "Quaver/Genres.h"

#include <QJsonObject>
#include <iostream>

// Lists the fixed genre table, one genre a line: "NUMBER<TAB>NAME", or with
// --json {"genre": NUMBER, "genreName": NAME} as read --json names them.
int runGenres(const CliArgs& args)
{
    bool json = false;
    bool operands = false;
    const bool read = ReadArgs(
        args, "genres", {"--json"},
        [&](const std::string& name, const std::string&) {
            if (name == "--json")
                return json = true;
            std::cerr << "cadenza-cli genres: unknown option " << name << '\n';
            return false;
        },
        [&](const std::string&) { operands = true; });
    if (!read || operands) {
        if (operands)
            std::cerr << "cadenza-cli genres: takes no operands\n";
        return ExitUsage;
    }
    for (const int number : GenreNames::Numbers()) {
        const char* name = Quaver::Genres::NameOf(number);
        if (json)
            std::cout << TagPrinting::jsonLine(QJsonObject{{"genre", number}, {"genreName", name}});
        else
            std::cout << number << '\t' << name << '\n';
    }
    return ExitOk;
}
