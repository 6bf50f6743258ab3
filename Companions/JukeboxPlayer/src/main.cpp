// jukebox [--register [PROGRAM] | --unregister] [/ADD] [FILE...]
//   FILE...        adds the files to the playlist and plays the first of them
//   /ADD FILE...   adds the files to the playlist only
// When a player already runs, the files go to it (without files, its windows
// are shown) and this process ends; otherwise this process becomes the player. --register writes the file
// association for this program (or for the absolute PROGRAM path it will be installed at, as a package build
// does) into the registry, --unregister removes it.
#include "FileAssociation.h"
#include "Jukebox/PlayerProtocol.h"
#include "PlayerEngine.h"
#include "PlayerWindows.h"
#include "Translations.h"

#include "Platform/FileNameCodec.h"
#include "Platform/WindowHost.h"
#include "Platform/WindowMessages.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <climits>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <unistd.h>
#include <vector>

using namespace Jukebox::Protocol;

namespace {

struct Arguments
{
    bool add = false;
    std::vector<QByteArray> files; // absolute paths, the bytes the file system holds
};

// The absolute path of a command-line file, as the bytes the file system
// holds, so names that are not UTF-8 still name their file. Worked out on the
// bytes: QFileInfo would turn such bytes into U+FFFD.
std::string absolutePath(const char* arg)
{
    std::string path = arg;
    if (path.empty() || path.front() != '/') {
        char cwd[PATH_MAX];
        if (getcwd(cwd, sizeof cwd))
            path = std::string(cwd) + "/" + path;
    }
    return Platform::EncodeFileName(QDir::cleanPath(Platform::DecodeFileName(path)));
}

Arguments parse(int argc, char** argv)
{
    Arguments a;
    for (int i = 1; i < argc; ++i) {
        if (strcasecmp(argv[i], "/ADD") == 0) {
            a.add = true;
            continue;
        }
        a.files.push_back(QByteArray::fromStdString(absolutePath(argv[i])));
    }
    return a;
}

// Hands the files to a running player; false when none runs.
bool forward(const Arguments& a)
{
    const Platform::HWND player = Platform::FindWindowA(kMainWindowClass, nullptr);
    if (!player)
        return false;
    for (const QByteArray& file : a.files)
        Platform::SendCopyData(player, kCopyDataAddFile, file.toStdString());
    if (!a.add && !a.files.empty())
        Platform::PostMessageA(player, kCommandMessage, CmdPlay, 0);
    // Started without files: the user wants to see the running player.
    if (!a.add && a.files.empty()) {
        for (const char* windowClass : {kEqualizerWindowClass, kPlaylistWindowClass, kMainWindowClass}) {
            if (const Platform::HWND w = Platform::FindWindowA(windowClass, nullptr))
                Platform::ShowWindowA(w, Platform::SW_SHOWNORMAL);
        }
    }
    return true;
}

std::string ownPath()
{
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--register") == 0)
        return FileAssociation::Register(ownPath()) ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "--register") == 0 && argv[2][0] == '/')
        return FileAssociation::Register(argv[2]) ? 0 : 1;
    if (argc == 2 && std::strcmp(argv[1], "--unregister") == 0)
        return FileAssociation::Unregister() ? 0 : 1;

    const Arguments args = parse(argc, argv);
    if (forward(args))
        return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Jukebox"));
    QApplication::setApplicationVersion(QStringLiteral(LEGATO_PLAYER_VERSION));
    Translations::Install(app, QLocale::system());

    // Without a private window folder no program could reach this player.
    if (const std::string problem = Platform::WindowFolderProblem(); !problem.empty()) {
        std::fprintf(stderr, "jukebox: %s\n", problem.c_str());
        QMessageBox::critical(nullptr, QStringLiteral("Jukebox"), QString::fromStdString(problem));
        return 1;
    }

    PlayerEngine engine(PlayerEngine::audioAvailable());
    PlayerWindows windows(engine);
    // Two players started at once: whichever claims the main window first is
    // the player; the other hands its files over and ends.
    for (int attempt = 0; !windows.claimMainWindow(); ++attempt) {
        if (forward(args))
            return 0;
        if (attempt == 20)
            return 1;
        usleep(50000);
    }
    for (const QByteArray& file : args.files)
        engine.addFile(Platform::DecodeFileName(file.toStdString()));

    // A helper started hidden only to hand over /ADD files that finds no
    // player becomes the player, and a player the user cannot see is no use:
    // it shows itself without taking the focus.
    Platform::WindowStyle style = Platform::WindowHost::startedWindowStyle();
    if (args.add && style == Platform::WindowStyle::Hide)
        style = Platform::WindowStyle::NormalNoFocus;
    windows.showAtStart(style);
    if (!args.add && !args.files.empty())
        engine.play();
    return app.exec();
}
