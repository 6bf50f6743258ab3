// A batch run that writes new tags, against the least work any tool must do per
// file, in the same run over the same tree: 10,000 untagged files in 100
// folders, named in format 0 ("#AR# - #AL# - #TR#.#TI#").
//   floor:  open, pread the last 128 bytes, pwrite 128 bytes, close
//   cli:    cadenza-cli batch ROOT --format 0 --write (a real process)
//   panel:  ucBatch's "&Process" offscreen, test mode off
// Then the panel over 20,000 files in test mode, with a 5 ms timer running:
// the longest gap between two timer ticks is how long the window went unpainted.
// Every run starts from untagged files (the tags written are cut off again).
//   --scale: the panel over 1,000,000 files in test mode (1,000 folders of hard
//   links to one file): the longest pause, the resident memory the outcomes
//   add per file, and how long expanding, scrolling and clicking a result take.
#include "BatchResultModel.h"
#include "PauseMeter.h"
#include "ucBatch.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;
namespace fs = std::filesystem;

namespace {

constexpr int Folders = 100;
constexpr off_t AudioSize = 4096;

struct Tree
{
    std::string root;
    std::vector<std::string> files;
};

Tree MakeTree(const std::string& name, int filesPerFolder)
{
    Tree tree;
    tree.root = (fs::temp_directory_path() / (name + "-" + std::to_string(getpid()))).string();
    const std::string audio(AudioSize, '\x55');
    for (int d = 0; d < Folders; ++d) {
        const std::string dir = tree.root + "/Album " + std::to_string(d);
        fs::create_directories(dir);
        for (int f = 1; f <= filesPerFolder; ++f) {
            const std::string file = dir + "/Artist " + std::to_string(d) + " - Album " + std::to_string(d) +
                                     " - " + std::to_string(f) + ".Title " + std::to_string(f) + ".mp3";
            const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || ::write(fd, audio.data(), audio.size()) != AudioSize) {
                std::perror(file.c_str());
                std::exit(1);
            }
            ::close(fd);
            tree.files.push_back(file);
        }
    }
    return tree;
}

// Folders of filesPerFolder names each, all hard links to one untagged file
// per folder: a tree of a million names that costs few data blocks. Test
// mode only reads.
Tree MakeLinkedTree(const std::string& name, int folders, int filesPerFolder)
{
    Tree tree;
    tree.root = (fs::temp_directory_path() / (name + "-" + std::to_string(getpid()))).string();
    for (int d = 0; d < folders; ++d) {
        const std::string dir = tree.root + "/Album " + std::to_string(d);
        fs::create_directories(dir);
        const std::string source = dir + "/source.bin";
        std::ofstream(source, std::ios::binary) << std::string(AudioSize, '\x55');
        for (int f = 1; f <= filesPerFolder; ++f) {
            const std::string file = dir + "/Artist " + std::to_string(d) + " - Album " + std::to_string(d) +
                                     " - " + std::to_string(f % 100) + ".Title " + std::to_string(f) + ".mp3";
            if (::link(source.c_str(), file.c_str()) != 0) {
                std::perror(file.c_str());
                std::exit(1);
            }
        }
    }
    tree.files.resize(static_cast<std::size_t>(folders) * filesPerFolder);
    return tree;
}

// The resident memory of this process in bytes.
long Resident()
{
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * ::sysconf(_SC_PAGESIZE);
}

// Cuts every file back to its audio, so the next run finds no tags.
void Untag(const Tree& tree)
{
    for (const std::string& file : tree.files)
        if (::truncate(file.c_str(), AudioSize) != 0)
            std::perror(file.c_str());
}

double Seconds(const std::function<void()>& run)
{
    const auto t0 = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void Floor(const Tree& tree)
{
    char trailer[128] = {'T', 'A', 'G'};
    char last[128];
    for (const std::string& file : tree.files) {
        const int fd = ::open(file.c_str(), O_RDWR);
        if (::pread(fd, last, sizeof last, AudioSize - 128) != 128 ||
            ::pwrite(fd, trailer, sizeof trailer, AudioSize) != 128)
            std::perror(file.c_str());
        ::close(fd);
    }
}

void Cli(const Tree& tree)
{
    std::vector<std::string> args{CADENZA_CLI, "batch", tree.root, "--format", "0", "--write"};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    if (status != 0)
        std::fprintf(stderr, "cadenza-cli batch failed (%d)\n", status);
}

struct PanelRun
{
    double seconds = 0;
    int longestPauseMs = 0;
    int files = 0;
    long residentBefore = 0; // the empty panel, shown
    long residentAfter = 0;  // with every outcome listed
    // After the run: collapsing and expanding "Ok", scrolling to its middle
    // and end, and clicking a result, each with the events it causes (ms).
    double collapseExpandMs = 0;
    double scrollMs = 0;
    double clickMs = 0;
    // Then scrolling to the end again and again until every row is shown:
    // how many fetches that took and the longest of them (ms).
    int fetches = 0;
    double longestFetchMs = 0;
};

double Milliseconds(const std::function<void()>& run)
{
    return 1000 * Seconds([&] {
               run();
               QApplication::processEvents();
           });
}

PanelRun Panel(const Tree& tree, bool testMode, bool interact = false)
{
    ucBatch panel;
    panel.show();
    panel.findChild<QLineEdit*>("txtPath")->setText(QString::fromStdString(tree.root));
    panel.findChild<QCheckBox*>("chkTestMode")->setChecked(testMode);
    QApplication::processEvents();

    PanelRun run;
    run.residentBefore = Resident();
    {
        PauseMeter pauses;
        run.seconds = Seconds([&] { panel.findChild<QPushButton*>("cmdOk")->click(); });
        QApplication::processEvents();
        run.longestPauseMs = static_cast<int>(pauses.Longest());
    }
    run.residentAfter = Resident();
    auto* view = panel.findChild<QTreeView*>("trvFiles");
    const auto* results = static_cast<const BatchResultModel*>(view->model());
    const QModelIndex ok = panel.GroupNode("ok");
    run.files = results->Count(BatchOutcome::Group::Ok) + results->Count(BatchOutcome::Group::Error);
    if (interact && results->rowCount(ok) > 0) {
        run.collapseExpandMs = Milliseconds([&] {
            view->collapse(ok);
            QApplication::processEvents();
            view->expand(ok);
        });
        QScrollBar* bar = view->verticalScrollBar();
        run.scrollMs = Milliseconds([&] {
            bar->setValue(bar->maximum() / 2);
            QApplication::processEvents();
            bar->setValue(bar->maximum());
        });
        const QModelIndex last = results->index(results->rowCount(ok) - 1, 0, ok);
        view->scrollTo(last);
        QApplication::processEvents();
        const QRect cell = view->visualRect(last);
        run.clickMs = Milliseconds([&] {
            // What a click does: the current row moves, the preview follows.
            view->setCurrentIndex(view->indexAt(cell.center()));
        });
        while (results->HasMore(ok) && run.fetches < 1000) {
            ++run.fetches;
            run.longestFetchMs =
                std::max(run.longestFetchMs, Milliseconds([&] { bar->setValue(bar->maximum()); }));
        }
    }
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    int rounds = 3;
    bool scale = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--scale") == 0)
            scale = true;
        else
            rounds = std::max(1, std::atoi(argv[i]));
    }

    const Tree tree = MakeTree("bench-batch", 100);
    double floor = 1e9, cli = 1e9, panel = 1e9;
    for (int i = 0; i < rounds; ++i) {
        Untag(tree);
        floor = std::min(floor, Seconds([&] { Floor(tree); }));
        Untag(tree);
        cli = std::min(cli, Seconds([&] { Cli(tree); }));
        Untag(tree);
        const PanelRun run = Panel(tree, false);
        if (run.files != static_cast<int>(tree.files.size()))
            std::fprintf(stderr, "the panel listed %d files\n", run.files);
        panel = std::min(panel, run.seconds);
    }
    const double n = static_cast<double>(tree.files.size());
    std::printf("%zu files in %d folders, best of %d\n", tree.files.size(), Folders, rounds);
    std::printf("floor (open+pread+pwrite+close): %9.0f files/s\n", n / floor);
    std::printf("cadenza-cli batch --write:       %9.0f files/s  %5.1f%% of the floor (target >= 25%%)\n",
                n / cli, 100.0 * floor / cli);
    std::printf(
        "panel run, offscreen:            %9.0f files/s  %5.2fx the command line's time (target <= 2x)\n",
        n / panel, panel / cli);
    fs::remove_all(tree.root);

    const Tree big = MakeTree("bench-batch-big", 200);
    const PanelRun run = Panel(big, true);
    std::printf("panel, %d files in test mode: %.2f s, longest pause of the event loop %d ms\n", run.files,
                run.seconds, run.longestPauseMs);
    fs::remove_all(big.root);

    if (scale) {
        const Tree million = MakeLinkedTree("bench-batch-million", 1000, 1000);
        const PanelRun m = Panel(million, true, true);
        std::printf("panel, %d files in test mode: %.1f s, longest pause %d ms (target <= 100 ms), "
                    "%.0f bytes per outcome above the empty panel (target <= 400)\n",
                    m.files, m.seconds, m.longestPauseMs,
                    static_cast<double>(m.residentAfter - m.residentBefore) / std::max(1, m.files));
        std::printf("  then: collapse and expand \"Ok\" %.1f ms, scroll to its middle and end %.1f ms, "
                    "click a result %.1f ms\n",
                    m.collapseExpandMs, m.scrollMs, m.clickMs);
        std::printf(
            "  scrolling on to the last of the million rows: %d fetches of %d rows, the longest %.1f ms\n",
            m.fetches, BatchResultModel::WindowRows, m.longestFetchMs);
        fs::remove_all(million.root);
    }
    return 0;
}
