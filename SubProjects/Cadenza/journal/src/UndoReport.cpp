#include "UndoReport.h"

#include "Platform/FileNameCodec.h"
#include "Platform/RuntimeError.h"

#include <QCoreApplication>
#include <QString>

namespace Journal {

namespace {

// Beyond this many, the files left untouched are counted, not listed: the
// box must fit on the screen after a large batch run.
constexpr std::size_t kListed = 15;

QString untouchedLine(const FileUndo& file)
{
    const QString reason = file.result == UndoResult::ChangedSince
                               ? QCoreApplication::translate("UndoReport", "changed since the run")
                               : QString::fromStdString(file.reason);
    return Platform::DecodeFileName(file.name) + QStringLiteral(": ") + reason;
}

} // namespace

const std::vector<std::string>& SaveKinds()
{
    static const std::vector<std::string> kinds{"save", "remove tag"};
    return kinds;
}

const std::vector<std::string>& BatchKinds()
{
    static const std::vector<std::string> kinds{"batch"};
    return kinds;
}

UndoReport UndoLast(const std::vector<std::string>& kinds, const std::string& caption,
                    const UndoJournal& journal)
{
    UndoReport report;
    report.Box.caption = caption;
    const auto last = journal.Last(kinds);
    if (!last) {
        report.Box.icon = Platform::MsgIcon::Information;
        report.Box.text =
            QCoreApplication::translate("UndoReport", "There is nothing to undo.").toStdString();
        return report;
    }
    std::vector<FileUndo> files;
    try {
        files = journal.Undo(last->id);
    } catch (const Platform::RuntimeError& error) {
        report.Box.icon = Platform::MsgIcon::Warning;
        report.Box.text = error.Description();
        return report;
    }
    int unchanged = 0;
    std::vector<const FileUndo*> untouched;
    for (const FileUndo& file : files) {
        if (file.result == UndoResult::Restored)
            report.Restored.push_back(file.name);
        else if (file.result == UndoResult::AlreadyAsBefore)
            ++unchanged;
        else
            untouched.push_back(&file);
    }
    // Counts after a colon read right whatever the number, in every language.
    const QString newLine = QStringLiteral("\r\n");
    QString text =
        QCoreApplication::translate("UndoReport", "Files restored: %1").arg(report.Restored.size());
    if (unchanged)
        text +=
            newLine + QCoreApplication::translate("UndoReport", "Files already as before: %1").arg(unchanged);
    if (!untouched.empty()) {
        text += newLine + newLine +
                QCoreApplication::translate("UndoReport", "Files not touched: %1").arg(untouched.size());
        for (std::size_t i = 0; i < untouched.size() && i < kListed; ++i)
            text += newLine + untouchedLine(*untouched[i]);
        if (untouched.size() > kListed)
            text +=
                newLine +
                QCoreApplication::translate("UndoReport", "... and %1 more").arg(untouched.size() - kListed);
    }
    report.Box.icon = untouched.empty() ? Platform::MsgIcon::Information : Platform::MsgIcon::Warning;
    report.Box.text = text.toStdString();
    return report;
}

} // namespace Journal
