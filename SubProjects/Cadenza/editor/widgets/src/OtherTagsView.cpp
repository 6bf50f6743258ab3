#include "OtherTagsView.h"

#include "TwipsLayout.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace {

constexpr int CaptionHeight = 255;
constexpr int Rows = 7;
constexpr int MaxColumnWidth = 3000;

// The background of a value that differs from the trailer's, as the field
// panel marks a value that would not be stored as shown.
const QColor MarkedBase(255, 232, 160);

} // namespace

OtherTagsView::OtherTagsView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("OtherTagsView"));
    lblCaption = new QLabel(this);
    lblCaption->setObjectName(QStringLiteral("lblOtherTags"));
    lblCaption->setTextFormat(Qt::PlainText);

    tblOtherTags = new QTableWidget(Rows, 0, this);
    tblOtherTags->setObjectName(QStringLiteral("tblOtherTags"));
    tblOtherTags->setAccessibleName(tr("Other tags"));
    tblOtherTags->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblOtherTags->setSelectionMode(QAbstractItemView::SingleSelection);
    tblOtherTags->setWordWrap(false);
    QStringList rows;
    for (int i = 0; i < Rows; ++i)
        rows << FieldCaption(static_cast<TagField>(i));
    tblOtherTags->setVerticalHeaderLabels(rows);
    // Seven rows in little height: each one text line high.
    const int line = fontMetrics().height() + 2;
    tblOtherTags->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblOtherTags->verticalHeader()->setMinimumSectionSize(line);
    tblOtherTags->verticalHeader()->setDefaultSectionSize(line);
    tblOtherTags->horizontalHeader()->setStretchLastSection(true);
    lblCaption->setBuddy(tblOtherTags);
    Clear();
}

void OtherTagsView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int caption = Platform::twipsToPixels(CaptionHeight);
    lblCaption->setGeometry(0, 0, width(), caption);
    tblOtherTags->setGeometry(0, caption, width(), std::max(0, height() - caption));
}

void OtherTagsView::Show(const OtherTagsTable& table)
{
    lblCaption->setText(table.Caption);
    lblCaption->setToolTip(table.Caption);
    tblOtherTags->setColumnCount(static_cast<int>(table.Columns.size()));
    QStringList kinds;
    for (int c = 0; c < static_cast<int>(table.Columns.size()); ++c) {
        const OtherTagsTable::Column& column = table.Columns[static_cast<std::size_t>(c)];
        kinds << column.Kind;
        for (int r = 0; r < Rows; ++r) {
            const OtherTagsTable::Cell& cell = column.Cells[static_cast<std::size_t>(r)];
            auto* item = new QTableWidgetItem(cell.Text);
            item->setToolTip(cell.Differs ? tr("%1 (differs from the ID3v1 tag)").arg(cell.Text) : cell.Text);
            if (cell.Differs)
                item->setBackground(MarkedBase);
            tblOtherTags->setItem(r, c, item);
        }
    }
    tblOtherTags->setHorizontalHeaderLabels(kinds);
    tblOtherTags->resizeColumnsToContents();
    // A long value does not push the next tags out of sight; its cell's tool tip has it whole.
    const int widest = Platform::twipsToPixels(MaxColumnWidth);
    for (int c = 0; c < tblOtherTags->columnCount(); ++c)
        tblOtherTags->setColumnWidth(c, std::min(tblOtherTags->columnWidth(c), widest));
    tblOtherTags->horizontalHeader()->setStretchLastSection(true);
}

void OtherTagsView::Clear()
{
    lblCaption->clear();
    lblCaption->setToolTip(QString());
    tblOtherTags->setColumnCount(0);
}

QString OtherTagsView::Caption() const
{
    return lblCaption->text();
}
