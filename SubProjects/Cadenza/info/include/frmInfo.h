#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;

// The information window: facts about the system, the user, the program and
// its components in a three-column list ("Property", "Value", "Location"),
// which "Copy to Clipboard" copies as tab-separated text. Rows are only
// appended. Loading fills the system and program rows; the main window adds
// one bold row and one "File Version" row per component.
class frmInfo : public QDialog
{
    Q_OBJECT

public:
    explicit frmInfo(QWidget* parent = nullptr);

    void Add(const QString& PropertyName, const QString& Value, bool ItemBold = false,
             const QString& FilePath = QString());
    // Appends the "File Version" row of a component registered under ProgID;
    // an unregistered one gets the row with empty value and location.
    void AddItem(const QString& ProgID);
    bool IsAppPresent(const QString& strSubKey, const QString& strValueName);

    // The text "Copy to Clipboard" puts on the clipboard.
    QString clipboardText() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();
    void cmdCopyToClipboard_Click();

    QTreeWidget* lvwInfo;
    QPushButton* cmdCopyToClipboard;
    QPushButton* cmdOK;
};
