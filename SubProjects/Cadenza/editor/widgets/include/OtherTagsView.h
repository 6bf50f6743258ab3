#pragma once

#include "OtherTagFields.h"

#include <QWidget>

class QLabel;
class QTableWidget;

// The other tags of a file, read-only: a caption line (which tags, that
// players show an ID3v2 tag first) and a table with a row per field and a
// column per tag, the cells that differ from the trailer marked. Shown by the
// editor beside its fields and by the batch panel's preview; what it shows
// is worked out by TabulateOtherTags.
class OtherTagsView : public QWidget
{
    Q_OBJECT

public:
    explicit OtherTagsView(QWidget* parent = nullptr);

    void Show(const OtherTagsTable& table);
    // Nothing shown: no file, or the file is gone.
    void Clear();

    // What the view shows, for tests and accessibility.
    QString Caption() const;
    QTableWidget* Table() const { return tblOtherTags; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* lblCaption = nullptr;
    QTableWidget* tblOtherTags = nullptr;
};
