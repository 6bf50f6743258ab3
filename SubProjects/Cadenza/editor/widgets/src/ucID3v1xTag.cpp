#include "ucID3v1xTag.h"

#include "TagFieldTexts.h"
#include "TwipsLayout.h"

#include "Platform/Twips.h"
#include "Quaver/Genres.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStringList>
#include <array>

namespace {

// Caption labels stand to the left of their field, right-aligned.
constexpr int CaptionLeft = -120;
constexpr int CaptionWidth = 855;
constexpr int FieldLeft = 840;
constexpr int FieldHeight = 285;
// The wide fields, the genre box and the genre number end this far from the
// panel's right edge.
constexpr int RightMargin = 60;
constexpr int GenreLeft = 2160;
// The genre caption ends a little before its box instead of under it.
constexpr int GenreCaptionLeft = 1500;
constexpr int GenreCaptionWidth = 600;

// The background of a field whose value would not be stored as shown.
const QColor MarkedBase(255, 232, 160);

QLineEdit* makeField(QWidget* parent, const char* name, int maxLength)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    return e;
}

// The genre box, which can be read-only like the text fields: its text can be
// selected and copied, but the list does not open and neither keys nor the
// wheel choose another entry. Its list is as wide as the longest entry.
class GenreBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void setReadOnly(bool value)
    {
        m_readOnly = value;
        lineEdit()->setReadOnly(value);
    }

    void showPopup() override
    {
        if (m_readOnly)
            return;
        QAbstractItemView* list = view();
        list->setMinimumWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() +
                              2 * list->frameWidth());
        QComboBox::showPopup();
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool chooses = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down ||
                             event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown;
        if (m_readOnly && chooses) {
            event->ignore();
            return;
        }
        QComboBox::keyPressEvent(event);
    }

    void wheelEvent(QWheelEvent* event) override
    {
        if (m_readOnly)
            event->ignore();
        else
            QComboBox::wheelEvent(event);
    }

private:
    bool m_readOnly = false;
};

// Read-only fields take the button face as background, as the editor's file
// name does, and keep the normal text colour.
void applyLook(QWidget* field, bool editable, bool marked)
{
    QPalette look = field->parentWidget()->palette();
    if (marked)
        look.setColor(QPalette::Base, MarkedBase);
    else if (!editable)
        look.setColor(QPalette::Base, look.color(QPalette::Button));
    field->setPalette(look);
}

constexpr TagField AllFields[] = {TagField::Title, TagField::Artist, TagField::Album,  TagField::Year,
                                  TagField::Genre, TagField::Track,  TagField::Comment};

} // namespace

ucID3v1xTag::ucID3v1xTag(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ucID3v1xTag"));
    useDesignedFontSize(this);

    // Created in tab order.
    txtTitle = makeField(this, "txtTitle", 30);
    addCaption(tr("Title"), CaptionLeft, 0, CaptionWidth, FieldHeight)->setBuddy(txtTitle);

    txtArtist = makeField(this, "txtArtist", 30);
    addCaption(tr("Artist"), CaptionLeft, 360, CaptionWidth, FieldHeight)->setBuddy(txtArtist);

    txtAlbum = makeField(this, "txtAlbum", 30);
    addCaption(tr("Album"), CaptionLeft, 720, CaptionWidth, FieldHeight)->setBuddy(txtAlbum);

    txtYear = makeField(this, "txtYear", 4);
    placeTwips(txtYear, FieldLeft, 1080, 615, FieldHeight);
    addCaption(tr("Year"), CaptionLeft, 1080, CaptionWidth, FieldHeight)->setBuddy(txtYear);

    cmbGenre = new GenreBox(this);
    cmbGenre->setObjectName(QStringLiteral("cmbGenre"));
    cmbGenre->setEditable(true);
    // Typed text must never become a new entry: the list is the genre table.
    cmbGenre->setInsertPolicy(QComboBox::NoInsert);
    cmbGenre->setMaxVisibleItems(20);
    addCaption(tr("Genre"), GenreCaptionLeft, 1080, GenreCaptionWidth, FieldHeight)->setBuddy(cmbGenre);

    txtTrack = makeField(this, "txtTrack", 2);
    placeTwips(txtTrack, FieldLeft, 1440, 375, FieldHeight);
    addCaption(tr("Track"), CaptionLeft, 1440, CaptionWidth, FieldHeight)->setBuddy(txtTrack);

    txtComment = makeField(this, "txtComment", 30);
    addCaption(tr("Comment"), CaptionLeft, 1800, CaptionWidth, FieldHeight)->setBuddy(txtComment);

    lblGenreByte = new QLabel(this);
    lblGenreByte->setObjectName(QStringLiteral("lblGenreByte"));
    lblGenreByte->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblGenreByte->setToolTip(tr("Genre number"));

    setTabOrder(txtTitle, txtArtist);
    setTabOrder(txtArtist, txtAlbum);
    setTabOrder(txtAlbum, txtYear);
    setTabOrder(txtYear, cmbGenre);
    setTabOrder(cmbGenre, txtTrack);
    setTabOrder(txtTrack, txtComment);

    // Only a choice from the list changes the genre number; typing does not,
    // not even a typed name that matches an entry. The box would otherwise
    // complete typed text and choose the matching entry when the text is
    // confirmed (Return, or leaving the field).
    cmbGenre->setCompleter(nullptr);
    cmbGenre->lineEdit()->installEventFilter(this);
    connect(cmbGenre, &QComboBox::activated, this, &ucID3v1xTag::onGenreChosen);

    for (QLineEdit* field : {txtTitle, txtArtist, txtAlbum, txtYear, txtTrack, txtComment})
        connect(field, &QLineEdit::textChanged, this, &ucID3v1xTag::markChanges);
    connect(cmbGenre, &QComboBox::editTextChanged, this, &ucID3v1xTag::markChanges);
    for (const TagField field : AllFields) {
        connect(lineOf(field), &QLineEdit::textEdited, this, [this, field] { fieldEdited(field); });
    }

    resize(sizeHint());
    layoutFields();
    setEnabled(false);
    Clear();
    fillGenres();
}

ucID3v1xTag::~ucID3v1xTag() = default;

QLabel* ucID3v1xTag::addCaption(const QString& text, int left, int top, int width, int height)
{
    auto* l = new QLabel(text, this);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    placeTwips(l, left, top, width, height);
    fitCaption(l);
    l->lower();
    return l;
}

QSize ucID3v1xTag::sizeHint() const
{
    return {Platform::twipsToPixels(DesignedWidth), Platform::twipsToPixels(DesignedHeight)};
}

void ucID3v1xTag::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutFields();
}

void ucID3v1xTag::layoutFields()
{
    const int right = Platform::pixelsToTwips(width()) - RightMargin;
    for (auto [field, top] : {std::pair{txtTitle, 0}, {txtArtist, 360}, {txtAlbum, 720}, {txtComment, 1800}})
        placeTwips(field, FieldLeft, top, right - FieldLeft, FieldHeight);
    placeTwips(cmbGenre, GenreLeft, 1080, right - GenreLeft, 315);
    placeTwips(lblGenreByte, GenreLeft, 1440, right - GenreLeft, 255);
}

void ucID3v1xTag::fillGenres()
{
    // Filling must not disturb what Show put into the genre text.
    const QString text = cmbGenre->currentText();
    const QSignalBlocker block(cmbGenre);
    auto list = m_Tag->GenreList();
    for (std::int32_t i = 1; i <= list->Count(); ++i) {
        auto g = list->Item(i);
        cmbGenre->addItem(QString::fromStdString(g->Description()), static_cast<int>(g->Num()));
    }
    const int index = cmbGenre->findText(text);
    cmbGenre->setCurrentIndex(index);
    if (index < 0)
        cmbGenre->setEditText(text);
}

bool ucID3v1xTag::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cmbGenre->lineEdit()) {
        const bool confirms =
            event->type() == QEvent::FocusOut ||
            (event->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                                                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter));
        if (confirms) {
            // Whatever the box chooses while handling this event comes from typing.
            m_confirmingTypedGenre = true;
            QMetaObject::invokeMethod(
                this, [this] { m_confirmingTypedGenre = false; }, Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ucID3v1xTag::onGenreChosen(int index)
{
    if (index >= 0 && !m_confirmingTypedGenre) {
        lblGenreByte->setText(QString::number(cmbGenre->itemData(index).toInt()));
        fieldEdited(TagField::Genre);
        markChanges();
    }
}

void ucID3v1xTag::setTitle(const std::string& value)
{
    m_Tag->setTitle(value);
}
std::string ucID3v1xTag::Title() const
{
    return m_Tag->Title();
}
void ucID3v1xTag::setArtist(const std::string& value)
{
    m_Tag->setArtist(value);
}
std::string ucID3v1xTag::Artist() const
{
    return m_Tag->Artist();
}
void ucID3v1xTag::setAlbum(const std::string& value)
{
    m_Tag->setAlbum(value);
}
std::string ucID3v1xTag::Album() const
{
    return m_Tag->Album();
}
void ucID3v1xTag::setYear(const std::string& value)
{
    m_Tag->setYear(value);
}
std::string ucID3v1xTag::Year() const
{
    return m_Tag->Year();
}
void ucID3v1xTag::setGenre(std::uint8_t value)
{
    m_Tag->setGenre(value);
}
std::uint8_t ucID3v1xTag::Genre() const
{
    return m_Tag->Genre();
}
void ucID3v1xTag::setTrack(std::int16_t value)
{
    m_Tag->setTrack(value);
}
std::int16_t ucID3v1xTag::Track() const
{
    return m_Tag->Track();
}
void ucID3v1xTag::setComment(const std::string& value)
{
    m_Tag->setComment(value);
}
std::string ucID3v1xTag::Comment() const
{
    return m_Tag->Comment();
}

Quaver::EID3TagConstants ucID3v1xTag::TagType() const
{
    return m_Tag->TagType();
}
void ucID3v1xTag::setTagType(Quaver::EID3TagConstants value)
{
    m_Tag->setTagType(value);
}

void ucID3v1xTag::setID3v1xTag(std::shared_ptr<Quaver::Tag> tag)
{
    // A null record would leave the panel with nothing to show or collect into.
    if (tag)
        m_Tag = std::move(tag);
}

std::shared_ptr<Quaver::Tag> ucID3v1xTag::ID3v1xTag()
{
    TypedTexts().collectInto(*m_Tag);
    return m_Tag;
}

void ucID3v1xTag::Show()
{
    m_several = false;
    m_changed.reset();
    for (const TagField field : AllFields)
        setPlaceholder(field, QString());
    showTexts(TagFieldTexts::fromTag(*m_Tag));
}

void ucID3v1xTag::SetFullTexts(bool full)
{
    // An ID3v2 text frame holds far more than this; the bound keeps a pasted
    // page of text out of a field.
    const int width = full ? 250 : 30;
    for (QLineEdit* field : {txtTitle, txtArtist, txtAlbum, txtComment})
        field->setMaxLength(width);
}

void ucID3v1xTag::ShowSeveral(const TagFieldTexts& common, const TagFieldSet& differing)
{
    m_several = true;
    m_changed.reset();
    for (const TagField field : AllFields)
        setPlaceholder(field, Contains(differing, field) ? tr("<keep>") : QString());
    showTexts(common);
}

void ucID3v1xTag::setPlaceholder(TagField field, const QString& text)
{
    lineOf(field)->setPlaceholderText(text);
}

void ucID3v1xTag::fieldEdited(TagField field)
{
    if (!m_several)
        return;
    // An emptied field now empties the field of every file: it no longer says "<keep>".
    m_changed.set(static_cast<std::size_t>(field));
    setPlaceholder(field, QString());
    markChanges();
}

void ucID3v1xTag::Clear()
{
    m_Tag = std::make_shared<Quaver::Tag>();
    Show();
}

void ucID3v1xTag::setEnabled(bool value)
{
    m_Enabled = value;
    for (QLineEdit* field : {txtAlbum, txtArtist, txtComment, txtTitle, txtTrack, txtYear})
        field->setReadOnly(!value);
    static_cast<GenreBox*>(cmbGenre)->setReadOnly(!value);
    markChanges();
}

void ucID3v1xTag::showTexts(const TagFieldTexts& t)
{
    // The marks are worked out once, for the whole record.
    m_showing = true;
    for (auto [field, text] : {std::pair{txtTitle, &t.Title},
                               {txtArtist, &t.Artist},
                               {txtAlbum, &t.Album},
                               {txtYear, &t.Year},
                               {txtTrack, &t.Track},
                               {txtComment, &t.Comment}}) {
        field->setText(*text);
        // A long value is shown from its start.
        field->setCursorPosition(0);
    }
    lblGenreByte->setText(t.GenreByte);
    {
        const QSignalBlocker block(cmbGenre);
        const int index = cmbGenre->findText(t.GenreText);
        cmbGenre->setCurrentIndex(index);
        if (index < 0)
            cmbGenre->setEditText(t.GenreText);
        cmbGenre->lineEdit()->setCursorPosition(0);
    }
    m_showing = false;
    markChanges();
}

QWidget* ucID3v1xTag::fieldWidget(TagField field) const
{
    // In the order of TagField.
    const std::array<QWidget*, 7> fields{txtTitle, txtArtist, txtAlbum,  txtYear,
                                         cmbGenre, txtTrack,  txtComment};
    return fields[static_cast<std::size_t>(field)];
}

QLineEdit* ucID3v1xTag::lineOf(TagField field) const
{
    return field == TagField::Genre ? cmbGenre->lineEdit() : static_cast<QLineEdit*>(fieldWidget(field));
}

void ucID3v1xTag::FocusField(TagField field)
{
    fieldWidget(field)->setFocus(Qt::OtherFocusReason);
}

void ucID3v1xTag::markChanges()
{
    if (m_showing)
        return;
    const std::vector<SaveChange> changes =
        m_Enabled ? ChangesOnSave(TypedTexts()) : std::vector<SaveChange>{};
    for (TagField field : AllFields) {
        QStringList reasons;
        for (const SaveChange& change : changes) {
            // With several files, a field left as it is keeps each file's value.
            if (change.Field == field && (!m_several || Contains(m_changed, field)))
                reasons << change.Text;
        }
        const bool marked = !reasons.isEmpty();
        // A field left as "<keep>" says what it means, also where the word does not fit.
        if (!marked && !lineOf(field)->placeholderText().isEmpty())
            reasons << tr("The files differ here; each keeps its own value unless you type a new one.");
        QWidget* w = fieldWidget(field);
        w->setToolTip(reasons.join(QLatin1Char('\n')));
        applyLook(w, m_Enabled, marked);
    }
}

TagFieldTexts ucID3v1xTag::TypedTexts() const
{
    TagFieldTexts t;
    t.Title = txtTitle->text();
    t.Artist = txtArtist->text();
    t.Album = txtAlbum->text();
    t.Year = txtYear->text();
    t.Track = txtTrack->text();
    t.Comment = txtComment->text();
    t.GenreText = cmbGenre->currentText();
    t.GenreByte = lblGenreByte->text();
    return t;
}
