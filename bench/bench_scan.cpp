// The directory scanner against a plain recursive opendir/readdir walk of the
// same tree, in the same run. Both find the *.mp3 files (any letter case) of
// 100 directories holding 120 entries each; the scanner runs inside a
// QCoreApplication, so it processes pending events between its steps.
#include "cDrvScan.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <strings.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int Directories = 100;
constexpr int FilesPerDirectory = 100; // *.mp3
constexpr int OthersPerDirectory = 20; // *.txt, read but not reported

void plainWalk(const std::string& dir, std::vector<std::string>& found)
{
    DIR* d = opendir(dir.c_str());
    if (!d)
        return;
    std::vector<std::string> subdirectories;
    while (const dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (e->d_type == DT_DIR) {
            if (name[0] != '.')
                subdirectories.push_back(name);
        } else if (name.size() >= 4 && strcasecmp(name.c_str() + name.size() - 4, ".mp3") == 0) {
            found.push_back(dir + name);
        }
    }
    closedir(d);
    for (const auto& s : subdirectories)
        plainWalk(dir + s + "/", found);
}

// Best time of each of two runs, taken in alternation so that a change in the
// machine's load hits both alike.
template <typename A, typename B> std::pair<double, double> bestSeconds(int rounds, A&& first, B&& second)
{
    const auto time = [](auto& run) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    };
    double a = 1e9, b = 1e9;
    for (int i = 0; i < rounds; ++i) {
        a = std::min(a, time(first));
        b = std::min(b, time(second));
    }
    return {a, b};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15; // best of this many runs
    const fs::path root = fs::temp_directory_path() / ("bench-scan-" + std::to_string(getpid()));
    for (int d = 0; d < Directories; ++d) {
        const fs::path dir = root / ("album" + std::to_string(d));
        fs::create_directories(dir);
        for (int f = 0; f < FilesPerDirectory; ++f)
            std::ofstream(dir / ("Artist - " + std::to_string(f) + ((f % 10) ? ".mp3" : ".MP3")));
        for (int f = 0; f < OthersPerDirectory; ++f)
            std::ofstream(dir / ("notes" + std::to_string(f) + ".txt"));
    }
    const std::string start = root.string() + "/";

    std::size_t plainCount = 0;
    std::size_t scanCount = 0;
    const auto plainRun = [&] {
        std::vector<std::string> found;
        plainWalk(start, found);
        plainCount = found.size();
    };
    const auto scanRun = [&] {
        cDrvScan scan;
        std::size_t n = 0;
        QObject::connect(&scan, &cDrvScan::FileFound, [&n](const std::string&) { ++n; });
        scan.setPath(start);
        scan.setFileSpec("*.mp3");
        scan.setUseFileSpec(true);
        scan.SearchFiles();
        scanCount = n;
    };
    const auto [plain, scanner] = bestSeconds(rounds, plainRun, scanRun);

    fs::remove_all(root);
    const double ratio = plain / scanner;
    std::printf("files: plain %zu, scanner %zu\n", plainCount, scanCount);
    std::printf("plain walk: %.0f files/s\nscanner:    %.0f files/s\nratio:      %.0f%% (target >= 50%%)\n",
                plainCount / plain, scanCount / scanner, ratio * 100);
    return plainCount == scanCount && plainCount == Directories * FilesPerDirectory ? 0 : 1;
}
