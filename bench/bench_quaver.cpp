// Times FileHandler's ReadTag, HasTag and WriteTag over a generated tree of
// files against the plainest system calls that do the same I/O (the floor):
// open + pread of the last 128 bytes + close for reading, and open + pread of
// the identifier + pwrite of 128 bytes + close for writing. Prints files per
// second and the ratio to the floor; each figure is the best of several rounds.
//
// usage: bench_quaver [FILES] [ROUNDS]   (defaults 10000 and 5)
#include "Quaver/FileHandler.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kAudioSize = 2048;
constexpr std::size_t kFileSize = kAudioSize + 128;
constexpr std::size_t kFilesPerFolder = 500;

std::vector<std::string> generateTree(const std::string& root, std::size_t count)
{
    std::string content(kAudioSize, '\x55');
    std::string trailer = "TAGBenchmark title";
    trailer.resize(128, '\0');
    trailer[126] = 1;
    trailer[127] = 17;
    content += trailer;
    std::vector<std::string> files;
    files.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string folder = root + "/d" + std::to_string(i / kFilesPerFolder);
        if (i % kFilesPerFolder == 0)
            std::filesystem::create_directories(folder);
        files.push_back(folder + "/Artist - Song " + std::to_string(i) + ".mp3");
        const int fd = ::open(files.back().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size())) {
            std::perror("generating files");
            std::exit(1);
        }
        ::close(fd);
    }
    return files;
}

// Best files-per-second rate of the loop body over all files in several rounds.
double rate(const std::vector<std::string>& files, int rounds,
            const std::function<bool(const std::string&)>& op)
{
    double best = 0;
    for (int r = 0; r < rounds; ++r) {
        std::size_t ok = 0;
        const auto start = std::chrono::steady_clock::now();
        for (const auto& file : files)
            ok += op(file) ? 1 : 0;
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (ok != files.size()) {
            std::fprintf(stderr, "only %zu of %zu files succeeded\n", ok, files.size());
            std::exit(1);
        }
        best = std::max(best, static_cast<double>(files.size()) / elapsed.count());
    }
    return best;
}

bool floorRead(const std::string& file)
{
    unsigned char block[128];
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::pread(fd, block, sizeof block, kFileSize - 128) == 128 && block[0] == 'T';
    ::close(fd);
    return ok;
}

bool floorWrite(const std::string& file)
{
    unsigned char block[128] = {'T', 'A', 'G', 'F', 'l', 'o', 'o', 'r'};
    unsigned char identifier[3];
    const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::pread(fd, identifier, 3, kFileSize - 128) == 3 &&
                    ::pwrite(fd, block, sizeof block, kFileSize - 128) == 128;
    ::close(fd);
    return ok;
}

bool handlerRead(const std::string& file)
{
    Quaver::FileHandler handler;
    handler.setFileName(file);
    return handler.ReadTag() == Quaver::ID3V11;
}

bool handlerHasTag(const std::string& file)
{
    Quaver::FileHandler handler;
    handler.setFileName(file);
    return handler.HasTag();
}

bool handlerWrite(const std::string& file)
{
    Quaver::FileHandler handler;
    handler.setFileName(file);
    const Quaver::TagPtr tag = handler.ID3v1xTag();
    tag->setTagType(Quaver::ID3V11);
    tag->setTitle("Benchmark title");
    tag->setArtist("Artist");
    tag->setTrack(1);
    tag->setGenre(17);
    return handler.WriteTag();
}

void report(const char* name, double rate, double floor)
{
    std::printf("%-10s %10.0f files/s   %5.1f%% of floor\n", name, rate, 100.0 * rate / floor);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    char pattern[] = "/tmp/bench-quaver-XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string root = pattern;
    const auto files = generateTree(root, count);
    std::printf("%zu files of %zu bytes in %s, best of %d rounds\n", files.size(), kFileSize, root.c_str(),
                rounds);

    const double readFloor = rate(files, rounds, floorRead);
    const double read = rate(files, rounds, handlerRead);
    const double hasTag = rate(files, rounds, handlerHasTag);
    const double writeFloor = rate(files, rounds, floorWrite);
    const double write = rate(files, rounds, handlerWrite);

    report("floor read", readFloor, readFloor);
    report("ReadTag", read, readFloor);
    report("HasTag", hasTag, readFloor);
    report("floor write", writeFloor, writeFloor);
    report("WriteTag", write, writeFloor);
    std::printf("targets: ReadTag >= 50%% of the read floor, WriteTag >= 35%% of the write floor\n");

    std::filesystem::remove_all(root);
    return 0;
}
