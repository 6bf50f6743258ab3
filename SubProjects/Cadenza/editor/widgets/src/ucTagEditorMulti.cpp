// The editor panel with several files chosen at once: the fields show what
// they have in common, Ok writes the changed fields to each of them, Number
// Tracks numbers them in the list's order, and each file's result is listed.
#include "ucTagEditor.h"

#include "EditorTexts.h"
#include "FileListModel.h"
#include "FileListView.h"
#include "OtherTagFields.h"
#include "OtherTagsView.h"
#include "TwipsLayout.h"
#include "ucID3v1xTag.h"

#include "Platform/FileNameCodec.h"
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Reading or writing thousands of chosen files takes a while on the window's
// thread: the pointer says so meanwhile.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

void ucTagEditor::lvwData_SelectionChanged()
{
    std::vector<std::string> files = selectedFiles();
    if (files.size() > 1) {
        const BusyCursor busy;
        m_session.ChooseSeveral(std::move(files));
        showSeveral();
    } else if (files.size() == 1 && m_session.Several()) {
        // Back to one file from several: it is shown as a click shows it.
        showView(m_session.Choose(files.front()));
    }
    applyCommands();
}

void ucTagEditor::showSeveral()
{
    const MultiTagEdit* several = m_session.Several();
    if (!several)
        return;
    const int count = static_cast<int>(several->Files().size());
    txtFile->setText(EditorTexts::FilesChosen(count));
    ucID3v1xTag->ShowSeveral(several->Common(), several->Differing());
    // The other tags belong to one file; none is shown for several.
    vwOtherTags->Show(TabulateOtherTags({}, nullptr));
    ReportStatus(EditorTexts::FilesChosen(count), 1);
}

void ucTagEditor::okSeveral()
{
    const TagFieldTexts typed = ucID3v1xTag->TypedTexts();
    const TagFieldSet changed = ucID3v1xTag->ChangedFields();
    if (const auto back = m_session.CheckSaveSeveral(typed, changed, applicationTitle())) {
        ucID3v1xTag->FocusField(*back);
        return;
    }
    const MultiTagEdit::Outcome outcome = [&] {
        const BusyCursor busy;
        return m_session.OkSeveral(typed, changed);
    }();
    refreshRows(outcome);
    applyCommands();
    if (!m_session.Editing())
        showSeveral();
    ReportStatus(outcome.Status, 1);
    if (!outcome.Files.empty())
        showResults(outcome);
}

void ucTagEditor::refreshRows(const MultiTagEdit::Outcome& outcome)
{
    // The list's columns show the tags as the files now hold them.
    std::vector<std::string> files;
    files.reserve(outcome.Files.size());
    for (const auto& file : outcome.Files)
        files.push_back(file.File);
    m_files->refresh(files);
}

void ucTagEditor::cmdNumber_Click()
{
    const auto outcome = m_session.NumberTracks(applicationTitle());
    if (!outcome)
        return;
    refreshRows(*outcome);
    showSeveral();
    applyCommands();
    ReportStatus(outcome->Status, 1);
    showResults(*outcome);
}

void ucTagEditor::showResults(const MultiTagEdit::Outcome& outcome)
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("dlgSaveResults"));
    dialog.setWindowTitle(QString::fromStdString(applicationTitle()));
    auto* summary = new QLabel(outcome.Status, &dialog);
    summary->setObjectName(QStringLiteral("lblSummary"));
    auto* list = new QTreeWidget(&dialog);
    list->setObjectName(QStringLiteral("lvwResults"));
    list->setAccessibleName(tr("Results"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({tr("File"), tr("Result")});
    for (const MultiTagEdit::FileResult& file : outcome.Files) {
        auto* row = new QTreeWidgetItem(list, {Platform::DecodeFileName(file.File), file.Text});
        row->setToolTip(1, file.Text);
    }
    list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(summary);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(Platform::twipsToPixels(9000), Platform::twipsToPixels(4500));
    dialog.exec();
}
