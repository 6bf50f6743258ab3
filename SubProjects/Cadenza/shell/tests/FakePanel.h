#pragma once

#include "IFrame.h"

#include <QLabel>
#include <QWidget>

// A panel for the main-window tests: a name, a node text, a designed size,
// resizable or not, the three signals the window connects by name and the
// slots it calls by name.
class FakePanel : public QWidget, public IFrame
{
    Q_OBJECT

public:
    FakePanel(const QString& name, const QString& nodeText, bool resizable, QSize designed = QSize(400, 300))
        : m_nodeText(nodeText), m_resizable(resizable)
    {
        setObjectName(name);
        m_image = new QLabel(this);
        QPixmap picture(16, 16);
        picture.fill(Qt::red);
        m_image->setPixmap(picture);
        resize(designed);
    }

    QLabel* AppImage() override { return m_image; }
    QString AppImageKey() override { return Key(); }
    QString AppNodeText() override { return m_nodeText; }
    QString Key() override { return m_key.isEmpty() ? objectName() : m_key; }
    bool HasImage() override { return m_hasImage; }
    bool SupportsResize() override { return m_resizable; }
    bool QueryLeave() override
    {
        ++m_leaveAsked;
        return m_mayLeave;
    }

    QString m_key;
    QStringList m_refreshed;
    QStringList m_added;
    bool m_hasImage = true;
    bool m_mayLeave = true;
    int m_leaveAsked = 0;

public slots:
    void RefreshFiles(const QStringList& names) { m_refreshed += names; }
    void AddFiles(const QStringList& names) { m_added += names; }

signals:
    void ShowMessage(const QString& Message);
    void ShowCounter(const QString& Counter);
    void ExitApplication();

private:
    QLabel* m_image;
    QString m_nodeText;
    bool m_resizable;
};

// A panel whose Key fails, as a broken control would.
class BrokenPanel : public FakePanel
{
    Q_OBJECT

public:
    using FakePanel::FakePanel;
    QString Key() override { return IFrame::AppTitle(); }
};
