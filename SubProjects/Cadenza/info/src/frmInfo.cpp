#include "frmInfo.h"

#include "ApplicationVersion.h"
#include "CInformation.h"
#include "ComponentInfo.h"
#include "InfoClipboard.h"
#include "modListView.h"

#include "Platform/Twips.h"
#include "TwipsLayout.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTreeWidget>

namespace {

int px(int twips)
{
    return Platform::twipsToPixels(twips);
}

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

} // namespace

frmInfo::frmInfo(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmInfo");
    setWindowTitle(tr("Information"));

    lvwInfo = new QTreeWidget(this);
    lvwInfo->setObjectName("lvwInfo");
    lvwInfo->setAccessibleName(tr("Information"));
    cmdCopyToClipboard = new QPushButton(tr("Copy to Clipboard"), this);
    cmdCopyToClipboard->setObjectName("cmdCopyToClipboard");
    cmdCopyToClipboard->setAccessibleDescription(tr("Copy the list as tab-separated text"));
    placeTwips(cmdCopyToClipboard, 120, 5520, 1815, 375);
    connect(cmdCopyToClipboard, &QPushButton::clicked, this, &frmInfo::cmdCopyToClipboard_Click);
    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName("cmdOK");
    placeTwips(cmdOK, 8220, 5520, 1215, 375);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    // Narrower, the OK button would leave the window (the buttons keep their
    // designed left edges); lower, the list would have no rows to show.
    setMinimumSize(cmdOK->geometry().right() + 1 + px(120), px(1500) + px(100) + cmdOK->height() + px(50));
    resize(px(9600), px(6000));
    Form_Load();
}

void frmInfo::Form_Load()
{
    lvwInfo->move(0, lvwInfo->y());
    lvwInfo->setRootIsDecorated(false);
    lvwInfo->setHeaderLabels({tr("Property"), tr("Value"), tr("Location")});
    lvwInfo->setAllColumnsShowFocus(true);
    lvwInfo->setAlternatingRowColors(true);

    const CInformation info;
    Add(tr("- General ---"), "-", true);
    Add(tr("OS"), text(info.OS()));
    Add(tr("OS Version"), text(info.OSVersion()));
    Add(tr("OS Major Version"), text(info.OSMajorVersion()));
    Add(tr("OS Minor Version"), text(info.OSMinorVersion()));
    Add(tr("OS Build Number"), text(info.OSBuildNumber()));
    Add(tr("OS CSDVersion"), text(info.OSCSDVersion()));
    Add(tr("Computer Name"), text(info.ComputerName()));
    Add(tr("User Name"), text(info.UserName()));

    const Platform::VersionInfo program = ApplicationVersion();
    Add(tr("- Applikation '%1'---").arg(text(program.description)), "", true);
    Add(tr("File Version"), VersionText(program), false,
        text(Platform::ModuleFileName(reinterpret_cast<const void*>(&ApplicationVersion))));
}

void frmInfo::Add(const QString& PropertyName, const QString& Value, bool ItemBold, const QString& FilePath)
{
    auto* row = new QTreeWidgetItem(lvwInfo, {PropertyName, Value, FilePath});
    if (ItemBold) {
        QFont font = row->font(0);
        font.setBold(true);
        for (int column = 0; column < 3; ++column)
            row->setFont(column, font);
    }
    modListView::AutoSizeColumns(lvwInfo, modListView::AutoSizeUseHeader);
}

void frmInfo::AddItem(const QString& ProgID)
{
    const std::string path = ComponentServerPath(ProgID.toStdString());
    Add(tr("File Version"), text(GetFileVersion(path)), false, text(path));
}

bool frmInfo::IsAppPresent(const QString& strSubKey, const QString& strValueName)
{
    return ::IsAppPresent(strSubKey.toStdString(), strValueName.toStdString());
}

QString frmInfo::clipboardText() const
{
    QStringList headers;
    for (int column = 0; column < lvwInfo->columnCount(); ++column)
        headers << lvwInfo->headerItem()->text(column);
    QList<QStringList> rows;
    for (int index = 0; index < lvwInfo->topLevelItemCount(); ++index) {
        const QTreeWidgetItem* item = lvwInfo->topLevelItem(index);
        QStringList row;
        for (int column = 0; column < lvwInfo->columnCount(); ++column)
            row << item->text(column);
        rows << row;
    }
    return InfoClipboardText(headers, rows);
}

void frmInfo::cmdCopyToClipboard_Click()
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(clipboardText());
}

void frmInfo::resizeEvent(QResizeEvent* event)
{
    lvwInfo->resize(width(), lvwInfo->height());
    for (QPushButton* button : {cmdCopyToClipboard, cmdOK})
        button->move(button->x(), height() - button->height() - px(50));
    lvwInfo->resize(lvwInfo->width(), std::max(0, cmdOK->y() - px(100)));
    QDialog::resizeEvent(event);
}
