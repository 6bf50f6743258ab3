#pragma once

#include "MultiTagEdit.h"
#include "SaveCheck.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "Quaver/Tag.h"

class QComboBox;
class QLabel;
class QLineEdit;
struct TagFieldTexts;

// The fields of one ID3v1.x tag: title, artist, album, year, genre, track and
// comment. The panel holds one record; the record and what the fields show are
// synchronised only by Show (record to fields) and by reading ID3v1xTag (fields
// to record). The field properties read and write the record only.
class ucID3v1xTag : public QWidget
{
    Q_OBJECT

public:
    // Designed size of the panel in twips. The wide fields and the genre box
    // reach to the panel's right edge; from FullWidth on, a 30-character value
    // in capitals of the default font shows whole.
    static constexpr int DesignedWidth = 3675;
    static constexpr int FullWidth = 4440;
    static constexpr int DesignedHeight = 2115;

    explicit ucID3v1xTag(QWidget* parent = nullptr);
    ~ucID3v1xTag() override;

    void setTitle(const std::string& value);
    std::string Title() const;
    void setArtist(const std::string& value);
    std::string Artist() const;
    void setAlbum(const std::string& value);
    std::string Album() const;
    void setYear(const std::string& value);
    std::string Year() const;
    void setGenre(std::uint8_t value);
    std::uint8_t Genre() const;
    void setTrack(std::int16_t value);
    std::int16_t Track() const;
    void setComment(const std::string& value);
    std::string Comment() const;

    // The record itself becomes the panel's record (shared, not copied); the
    // fields are not redisplayed.
    void setID3v1xTag(std::shared_ptr<Quaver::Tag> tag);
    // Collects the fields into the record and returns the record itself.
    std::shared_ptr<Quaver::Tag> ID3v1xTag();

    // Displays the record in the fields.
    void Show();
    // Displays what several files have in common; a field where they differ
    // is empty and shows "<keep>" until the user types into it (or chooses a
    // genre), which makes it one of the ChangedFields. Show and Clear end this.
    void ShowSeveral(const TagFieldTexts& common, const TagFieldSet& differing);
    // Whether title, artist, album and comment take more than the trailer
    // holds: their full text also goes into the file's ID3v2 tag, and the
    // trailer gets what fits (the check before saving lists what is cut).
    void SetFullTexts(bool full);
    // The fields typed into (or the genre chosen) since ShowSeveral.
    const TagFieldSet& ChangedFields() const { return m_changed; }

    Quaver::EID3TagConstants TagType() const;
    void setTagType(Quaver::EID3TagConstants value);

    // A new empty record, shown.
    void Clear();

    // Switches the six text fields and the genre box between editable and
    // read-only; read-only fields keep the normal text colour so the values
    // stay easy to read. The genre number label and the panel itself stay as
    // they are. Deliberately hides QWidget::setEnabled: owners switch the
    // fields, never the whole panel.
    bool Enabled() const { return m_Enabled; }
    void setEnabled(bool value);

    // What the fields show now, typed or not yet collected.
    TagFieldTexts TypedTexts() const;
    // Puts the keyboard focus into a field.
    void FocusField(TagField field);

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showTexts(const TagFieldTexts& texts);
    void fillGenres();
    void layoutFields();
    QWidget* fieldWidget(TagField field) const;
    // The line a field is typed into (the genre box's own for the genre).
    QLineEdit* lineOf(TagField field) const;
    // Marks the fields whose typed value would be stored differently, with
    // the reason as their tooltip; only while the fields are editable.
    void markChanges();
    void onGenreChosen(int index);
    void fieldEdited(TagField field);
    void setPlaceholder(TagField field, const QString& text);
    QLabel* addCaption(const QString& text, int left, int top, int width, int height);

    std::shared_ptr<Quaver::Tag> m_Tag;
    bool m_Enabled = false;
    bool m_confirmingTypedGenre = false;
    bool m_showing = false;
    bool m_several = false;
    TagFieldSet m_changed;

    QLineEdit* txtTitle = nullptr;
    QLineEdit* txtArtist = nullptr;
    QLineEdit* txtAlbum = nullptr;
    QLineEdit* txtYear = nullptr;
    QComboBox* cmbGenre = nullptr;
    QLineEdit* txtTrack = nullptr;
    QLineEdit* txtComment = nullptr;
    QLabel* lblGenreByte = nullptr;
};
