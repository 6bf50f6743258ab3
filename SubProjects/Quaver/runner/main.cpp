// quaver-testrun: drives the tag library's self-test fixture and prints every
// step and check. Exit status 0 only when every check passed.
#include "ConsoleTestManager.h"

#include "Quaver/TestFixture.h"

#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>

namespace {

int usage()
{
    std::cerr << "usage: quaver-testrun [--dir DIR]\n"
                 "Runs the Quaver self-test in DIR (default: the current directory), where it\n"
                 "creates and keeps the file "
              << Quaver::TestFixture::TestFileName << ".\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::string dir;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc)
            dir = argv[++i];
        else
            return usage();
    }
    std::error_code ec;
    if (!dir.empty())
        std::filesystem::current_path(dir, ec);
    if (ec) {
        std::cerr << "quaver-testrun: cannot enter " << dir << ": " << ec.message() << '\n';
        return 2;
    }

    Quaver::TestFixture fixture;
    const bool cleanStart = !std::filesystem::exists(Quaver::TestFixture::TestFileName, ec);
    std::cout << "Fixture: " << fixture.Name() << " in " << std::filesystem::current_path(ec).string() << '\n'
              << "Note: check 1 deletes the test file of an earlier run; in a clean directory there is\n"
                 "none, so that check fails by design.\n";

    auto manager = std::make_shared<ConsoleTestManager>(std::cout, fixture.ContinueAfterError());
    fixture.Setup(manager, std::filesystem::current_path(ec).string());
    try {
        fixture.RunTest();
    } catch (const ConsoleTestManager::StopTest&) {
        std::cout << "Stopped after the first failed check.\n";
    } catch (const std::exception& e) {
        std::cout << "ERROR  the fixture raised: " << e.what() << '\n';
        fixture.TearDown();
        return 1;
    }
    fixture.TearDown();

    std::cout << manager->Checks() << " checks, " << manager->Failures() << " failed.\n";
    if (manager->Failures() == 1 && manager->FirstFailure() == 1 && cleanStart)
        std::cout << "The only failure is check 1, expected in a clean directory (no earlier test file).\n";
    return manager->Failures() == 0 ? 0 : 1;
}
