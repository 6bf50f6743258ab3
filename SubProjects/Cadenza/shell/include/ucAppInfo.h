#pragma once

#include "IFrame.h"

#include "Platform/VersionInfo.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QScrollArea;

// The program-information panel: the program's title, a description built
// around it, its version and copyright, a disclaimer, and an exit button. The
// texts are read from the program's version information each time the panel is
// shown; nothing is cached. The exit button keeps to the panel's bottom right
// corner; the rest keeps its designed places while the panel is wide enough
// and otherwise narrows and wraps its texts, scrolling what still does not fit.
class ucAppInfo : public QWidget, public IFrame
{
    Q_OBJECT

public:
    using VersionSource = std::function<Platform::VersionInfo()>;

    // source supplies the version information; by default the running program's.
    explicit ucAppInfo(QWidget* parent = nullptr, VersionSource source = {});

    QString AppDescription() override;
    QLabel* AppImage() override { return imgAppImage; }
    QString AppImageKey() override { return Key(); }
    QString AppTitle() override;
    QString AppNodeText() override;
    QString Key() override { return objectName(); }
    bool HasImage() override { return true; }
    bool SupportsResize() override { return true; }

    // Fills the labels from the version information (done on every show).
    void refresh();

signals:
    void ExitApplication();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void cmdExit_Click();
    Platform::VersionInfo version() const;

    VersionSource m_source;
    QScrollArea* scrInfo;
    QLabel* imgAppImage;
    QLabel* lblTitle;
    QLabel* lblDescription;
    QLabel* Image1;
    QLabel* lblDisclaimer;
    QLabel* Label1;
    QLabel* lblProgramVersion;
    QLabel* Label3;
    QLabel* lblCopyright;
    QLabel* Image2;
    QPushButton* cmdExit;
};
