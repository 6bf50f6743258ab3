#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Widget tests need no display: the offscreen platform is chosen unless the
// caller asked for another one (for example xcb under Xvfb).
int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
