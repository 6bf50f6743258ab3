#include "ucID3v1xTag.h"

#include "Platform/Twips.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Fields
{
    explicit Fields(ucID3v1xTag& p)
        : title(p.findChild<QLineEdit*>("txtTitle")), artist(p.findChild<QLineEdit*>("txtArtist")),
          album(p.findChild<QLineEdit*>("txtAlbum")), year(p.findChild<QLineEdit*>("txtYear")),
          track(p.findChild<QLineEdit*>("txtTrack")), comment(p.findChild<QLineEdit*>("txtComment")),
          genre(p.findChild<QComboBox*>("cmbGenre")), genreByte(p.findChild<QLabel*>("lblGenreByte"))
    {
    }
    QList<QLineEdit*> texts() const
    {
        return {title, artist, album, year, track, comment, genre->lineEdit()};
    }

    QLineEdit* title;
    QLineEdit* artist;
    QLineEdit* album;
    QLineEdit* year;
    QLineEdit* track;
    QLineEdit* comment;
    QComboBox* genre;
    QLabel* genreByte;
};

} // namespace

TEST(ucID3v1xTag, StartsReadOnlyWithAnEmptyRecordAndTheGenreTable)
{
    ucID3v1xTag panel;
    Fields f(panel);
    ASSERT_NE(f.genre, nullptr);
    for (QLineEdit* e : f.texts()) {
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(e->isReadOnly()) << e->objectName().toStdString();
    }
    EXPECT_FALSE(panel.Enabled());
    for (QLineEdit* e : {f.title, f.artist, f.album, f.year, f.track, f.comment})
        EXPECT_TRUE(e->text().isEmpty());
    EXPECT_EQ(f.genreByte->text(), "255");
    EXPECT_EQ(f.genre->currentText(), "<Undefined>");
    EXPECT_EQ(panel.TagType(), Quaver::ID3Unknown);

    ASSERT_EQ(f.genre->count(), 149);
    EXPECT_EQ(f.genre->itemText(0), "Blues");
    EXPECT_EQ(f.genre->itemData(0).toInt(), 0);
    EXPECT_EQ(f.genre->itemText(147), "Synthpop");
    EXPECT_EQ(f.genre->itemData(148).toInt(), 255);

    EXPECT_EQ(f.title->maxLength(), 30);
    EXPECT_EQ(f.year->maxLength(), 4);
    EXPECT_EQ(f.track->maxLength(), 2);
    EXPECT_EQ(f.comment->maxLength(), 30);
}

TEST(ucID3v1xTag, ReadOnlyFieldsKeepTheTextColourAndTheGenre)
{
    ucID3v1xTag panel;
    Fields f(panel);
    panel.setGenre(16);
    panel.Show();
    panel.show();
    const QColor text = panel.palette().color(QPalette::Active, QPalette::Text);
    for (QLineEdit* e : f.texts()) {
        // Enabled, so drawn in the normal text colour, but not editable.
        EXPECT_TRUE(e->isEnabled()) << e->objectName().toStdString();
        EXPECT_EQ(e->palette().color(QPalette::Text), text);
    }
    // Neither keys nor the list choose another genre.
    QTest::keyClick(f.genre, Qt::Key_Down);
    f.genre->showPopup();
    EXPECT_FALSE(f.genre->view()->isVisible());
    EXPECT_EQ(f.genreByte->text(), "16");
    EXPECT_EQ(f.genre->currentText(), "Reggae");

    panel.setEnabled(true);
    for (QLineEdit* e : f.texts())
        EXPECT_FALSE(e->isReadOnly());
    // The list is as wide as its longest entry.
    f.genre->showPopup();
    EXPECT_GE(f.genre->view()->width(), f.genre->view()->sizeHintForColumn(0));
    f.genre->hidePopup();
    panel.setEnabled(false);
    for (QLineEdit* e : f.texts())
        EXPECT_TRUE(e->isReadOnly());
    EXPECT_TRUE(f.genreByte->isEnabled());
    EXPECT_TRUE(panel.isEnabled());
}

TEST(ucID3v1xTag, LongValuesShowFromTheirStartAndFitAtFullWidth)
{
    ucID3v1xTag panel;
    Fields f(panel);
    panel.resize(Platform::twipsToPixels(ucID3v1xTag::FullWidth), panel.height());
    const QString capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZABCD";
    panel.setTitle(capitals.toStdString());
    panel.Show();
    EXPECT_EQ(f.title->cursorPosition(), 0);
    // The whole value fits: the field need not scroll to show its end.
    const auto cursorX = [&] { return f.title->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(); };
    const int start = cursorX();
    f.title->setCursorPosition(30);
    EXPECT_GE(cursorX() - start, f.title->fontMetrics().horizontalAdvance(capitals));
    EXPECT_EQ(f.comment->width(), f.title->width());

    // The genre caption stands clear of its box.
    for (QLabel* caption : panel.findChildren<QLabel*>()) {
        if (caption->buddy() == f.genre) {
            EXPECT_LT(caption->geometry().right(), f.genre->x());
        }
    }
}

TEST(ucID3v1xTag, FieldsThatWouldChangeOnSaveAreMarkedWhileEditing)
{
    ucID3v1xTag panel;
    Fields f(panel);
    panel.setEnabled(true);
    const QColor plain = f.artist->palette().color(QPalette::Base);
    f.artist->setText(QString::fromUtf8("東京"));
    EXPECT_TRUE(f.artist->toolTip().startsWith(QString::fromUtf8("Artist: 東 京 cannot be stored")));
    EXPECT_NE(f.artist->palette().color(QPalette::Base), plain);
    EXPECT_EQ(f.title->toolTip(), "");
    EXPECT_EQ(f.title->palette().color(QPalette::Base), plain);

    // A track makes a 30-character comment too long.
    f.comment->setText(QString(30, u'c'));
    EXPECT_EQ(f.comment->toolTip(), "");
    f.track->setText("4");
    EXPECT_NE(f.comment->toolTip(), "");

    panel.setEnabled(false);
    EXPECT_EQ(f.artist->toolTip(), "");
}

TEST(ucID3v1xTag, RecordIsSharedAndPropertiesDoNotTouchTheFields)
{
    ucID3v1xTag panel;
    Fields f(panel);
    auto tag = std::make_shared<Quaver::Tag>();
    tag->setTitle("Stored");
    tag->setTrack(7);
    tag->setTagType(Quaver::ID3V11);
    panel.setID3v1xTag(tag);
    EXPECT_EQ(f.title->text(), "") << "setting the record must not redisplay";
    panel.Show();
    EXPECT_EQ(f.title->text(), "Stored");
    EXPECT_EQ(f.track->text(), "07");

    // A property writes the record only; collecting then takes what the field shows.
    panel.setTitle("New");
    EXPECT_EQ(tag->Title(), "New");
    EXPECT_EQ(f.title->text(), "Stored");
    auto collected = panel.ID3v1xTag();
    EXPECT_EQ(collected, tag);
    EXPECT_EQ(tag->Title(), "Stored");
    EXPECT_EQ(tag->Track(), 7);
    EXPECT_EQ(tag->TagType(), Quaver::ID3V11);
}

TEST(ucID3v1xTag, TypedTrackDecidesTheType)
{
    ucID3v1xTag panel;
    Fields f(panel);
    panel.setEnabled(true);
    for (const char* typed : {"", "0", "ab"}) {
        f.track->setText(typed);
        auto tag = panel.ID3v1xTag();
        EXPECT_EQ(tag->Track(), 0) << typed;
        EXPECT_EQ(tag->TagType(), Quaver::ID3V1) << typed;
    }
    f.track->clear();
    QTest::keyClicks(f.track, "-5");
    EXPECT_EQ(panel.ID3v1xTag()->Track(), -5);
    EXPECT_EQ(panel.TagType(), Quaver::ID3V1);
    f.track->clear();
    QTest::keyClicks(f.track, "123");
    EXPECT_EQ(f.track->text(), "12");
    EXPECT_EQ(panel.ID3v1xTag()->Track(), 12);
    EXPECT_EQ(panel.TagType(), Quaver::ID3V11);
}

TEST(ucID3v1xTag, V10RecordLosesItsTrackOnCollecting)
{
    ucID3v1xTag panel;
    auto tag = std::make_shared<Quaver::Tag>();
    tag->setTrack(7);
    tag->setTagType(Quaver::ID3V1);
    panel.setID3v1xTag(tag);
    panel.Show();
    panel.ID3v1xTag();
    EXPECT_EQ(tag->Track(), 0);
    EXPECT_EQ(tag->TagType(), Quaver::ID3V1);
}

TEST(ucID3v1xTag, ChoosingAGenreSetsItsNumberTypingDoesNot)
{
    ucID3v1xTag panel;
    Fields f(panel);
    panel.setGenre(16);
    panel.Show();
    EXPECT_EQ(f.genre->currentText(), "Reggae");
    panel.setEnabled(true);
    QTest::keyClick(f.genre, Qt::Key_Down); // the next entry, "Rock"
    EXPECT_EQ(f.genre->currentText(), "Rock");
    EXPECT_EQ(f.genreByte->text(), "17");
    f.genre->lineEdit()->selectAll();
    QTest::keyClicks(f.genre->lineEdit(), "Blues");
    EXPECT_EQ(f.genreByte->text(), "17");
    // Not even when the typed name is confirmed.
    QTest::keyClick(f.genre->lineEdit(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(f.genreByte->text(), "17");
    EXPECT_EQ(panel.ID3v1xTag()->Genre(), 17);
    // The list still works afterwards: the entry after the shown "Blues".
    QTest::keyClick(f.genre, Qt::Key_Down);
    EXPECT_EQ(f.genreByte->text(), "1");
    EXPECT_EQ(f.genre->count(), 149);
}

TEST(ucID3v1xTag, UnlistedGenreIsShownAndKept)
{
    ucID3v1xTag panel;
    Fields f(panel);
    panel.setGenre(200);
    panel.Show();
    EXPECT_EQ(f.genreByte->text(), "200");
    EXPECT_EQ(f.genre->currentText(), "<Not defined (200)>");
    EXPECT_EQ(panel.ID3v1xTag()->Genre(), 200);
}

TEST(ucID3v1xTag, ClearGivesANewRecord)
{
    ucID3v1xTag panel;
    Fields f(panel);
    auto old = std::make_shared<Quaver::Tag>();
    old->setTitle("Old");
    panel.setID3v1xTag(old);
    panel.Show();
    panel.Clear();
    EXPECT_EQ(f.title->text(), "");
    EXPECT_NE(panel.ID3v1xTag(), old);
    EXPECT_EQ(old->Title(), "Old");
}
