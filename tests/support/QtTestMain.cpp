#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>

namespace {

// Waits, up to the given time, until this is the process's only thread.
void waitForOtherThreads(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::error_code error;
    while (std::distance(std::filesystem::directory_iterator("/proc/self/task", error),
                         std::filesystem::directory_iterator{}) > 1 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace

// Widget tests need no display: the offscreen platform is chosen unless the
// caller asked for another one (for example xcb under Xvfb).
int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    // Qt's own worker threads (those of the GUI's thread pool) are told to end
    // with the application, but may still be on their way out. The process
    // ends once they are gone (or after a moment): a leak check at its end
    // would otherwise take the data of a thread halfway out for lost.
    waitForOtherThreads(std::chrono::milliseconds(500));
    return result;
}
