#include "ucID3v1xTag.h"

#include "TagFieldTexts.h"
#include "TwipsLayout.h"

#include <Platform/Twips.h>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <Quaver/Genres.h>

namespace {

// Caption labels stand to the left of their field, right-aligned.
constexpr int CaptionLeft = -120;
constexpr int CaptionWidth = 855;
constexpr int FieldLeft = 840;
constexpr int FieldHeight = 285;
constexpr int WideField = 2775;

QLineEdit* makeField(QWidget* parent, const char* name, int maxLength)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    return e;
}

} // namespace

ucID3v1xTag::ucID3v1xTag(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ucID3v1xTag"));
    useDesignedFontSize(this);

    // Created in tab order.
    txtTitle = makeField(this, "txtTitle", 30);
    placeTwips(txtTitle, FieldLeft, 0, WideField, FieldHeight);
    addCaption(tr("Title"), CaptionLeft, 0, CaptionWidth, FieldHeight)->setBuddy(txtTitle);

    txtArtist = makeField(this, "txtArtist", 30);
    placeTwips(txtArtist, FieldLeft, 360, WideField, FieldHeight);
    addCaption(tr("Artist"), CaptionLeft, 360, CaptionWidth, FieldHeight)->setBuddy(txtArtist);

    txtAlbum = makeField(this, "txtAlbum", 30);
    placeTwips(txtAlbum, FieldLeft, 720, WideField, FieldHeight);
    addCaption(tr("Album"), CaptionLeft, 720, CaptionWidth, FieldHeight)->setBuddy(txtAlbum);

    txtYear = makeField(this, "txtYear", 4);
    placeTwips(txtYear, FieldLeft, 1080, 615, FieldHeight);
    addCaption(tr("Year"), CaptionLeft, 1080, CaptionWidth, FieldHeight)->setBuddy(txtYear);

    cmbGenre = new QComboBox(this);
    cmbGenre->setObjectName(QStringLiteral("cmbGenre"));
    cmbGenre->setEditable(true);
    // Typed text must never become a new entry: the list is the genre table.
    cmbGenre->setInsertPolicy(QComboBox::NoInsert);
    cmbGenre->setMaxVisibleItems(20);
    placeTwips(cmbGenre, 2160, 1080, 1455, 315);
    addCaption(tr("Genre"), 1560, 1080, 615, FieldHeight)->setBuddy(cmbGenre);

    txtTrack = makeField(this, "txtTrack", 2);
    placeTwips(txtTrack, FieldLeft, 1440, 375, FieldHeight);
    addCaption(tr("Track"), CaptionLeft, 1440, CaptionWidth, FieldHeight)->setBuddy(txtTrack);

    txtComment = makeField(this, "txtComment", 30);
    placeTwips(txtComment, FieldLeft, 1800, WideField, FieldHeight);
    addCaption(tr("Comment"), CaptionLeft, 1800, CaptionWidth, FieldHeight)->setBuddy(txtComment);

    lblGenreByte = new QLabel(this);
    lblGenreByte->setObjectName(QStringLiteral("lblGenreByte"));
    lblGenreByte->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblGenreByte->setToolTip(tr("Genre number"));
    placeTwips(lblGenreByte, 2160, 1440, 1455, 255);

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

    resize(sizeHint());
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
        const bool confirms = event->type() == QEvent::FocusOut
            || (event->type() == QEvent::KeyPress
                && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return
                    || static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter));
        if (confirms) {
            // Whatever the box chooses while handling this event comes from typing.
            m_confirmingTypedGenre = true;
            QMetaObject::invokeMethod(this, [this] { m_confirmingTypedGenre = false; }, Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ucID3v1xTag::onGenreChosen(int index)
{
    if (index >= 0 && !m_confirmingTypedGenre)
        lblGenreByte->setText(QString::number(cmbGenre->itemData(index).toInt()));
}

void ucID3v1xTag::setTitle(const std::string& value) { m_Tag->setTitle(value); }
std::string ucID3v1xTag::Title() const { return m_Tag->Title(); }
void ucID3v1xTag::setArtist(const std::string& value) { m_Tag->setArtist(value); }
std::string ucID3v1xTag::Artist() const { return m_Tag->Artist(); }
void ucID3v1xTag::setAlbum(const std::string& value) { m_Tag->setAlbum(value); }
std::string ucID3v1xTag::Album() const { return m_Tag->Album(); }
void ucID3v1xTag::setYear(const std::string& value) { m_Tag->setYear(value); }
std::string ucID3v1xTag::Year() const { return m_Tag->Year(); }
void ucID3v1xTag::setGenre(std::uint8_t value) { m_Tag->setGenre(value); }
std::uint8_t ucID3v1xTag::Genre() const { return m_Tag->Genre(); }
void ucID3v1xTag::setTrack(std::int16_t value) { m_Tag->setTrack(value); }
std::int16_t ucID3v1xTag::Track() const { return m_Tag->Track(); }
void ucID3v1xTag::setComment(const std::string& value) { m_Tag->setComment(value); }
std::string ucID3v1xTag::Comment() const { return m_Tag->Comment(); }

Quaver::EID3TagConstants ucID3v1xTag::TagType() const { return m_Tag->TagType(); }
void ucID3v1xTag::setTagType(Quaver::EID3TagConstants value) { m_Tag->setTagType(value); }

void ucID3v1xTag::setID3v1xTag(std::shared_ptr<Quaver::Tag> tag)
{
    // A null record would leave the panel with nothing to show or collect into.
    if (tag)
        m_Tag = std::move(tag);
}

std::shared_ptr<Quaver::Tag> ucID3v1xTag::ID3v1xTag()
{
    typedTexts().collectInto(*m_Tag);
    return m_Tag;
}

void ucID3v1xTag::Show()
{
    showTexts(TagFieldTexts::fromTag(*m_Tag));
}

void ucID3v1xTag::Clear()
{
    m_Tag = std::make_shared<Quaver::Tag>();
    Show();
}

void ucID3v1xTag::setEnabled(bool value)
{
    m_Enabled = value;
    for (QWidget* w : {static_cast<QWidget*>(txtAlbum), static_cast<QWidget*>(txtArtist),
                       static_cast<QWidget*>(txtComment), static_cast<QWidget*>(txtTitle),
                       static_cast<QWidget*>(txtTrack), static_cast<QWidget*>(txtYear),
                       static_cast<QWidget*>(cmbGenre)})
        w->setEnabled(value);
}

void ucID3v1xTag::showTexts(const TagFieldTexts& t)
{
    txtTitle->setText(t.Title);
    txtArtist->setText(t.Artist);
    txtAlbum->setText(t.Album);
    txtYear->setText(t.Year);
    txtTrack->setText(t.Track);
    txtComment->setText(t.Comment);
    lblGenreByte->setText(t.GenreByte);
    const QSignalBlocker block(cmbGenre);
    const int index = cmbGenre->findText(t.GenreText);
    cmbGenre->setCurrentIndex(index);
    if (index < 0)
        cmbGenre->setEditText(t.GenreText);
}

TagFieldTexts ucID3v1xTag::typedTexts() const
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
