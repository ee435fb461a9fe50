// The title screen's rules on the in-memory link and the manual clock, without widgets.
#include "titles/TitleSession.h"

#include "DataReplyText.h"
#include "MemoryLink.h"
#include "TestFiles.h"
#include "common/MessageNumber.h"
#include "link/TransferDialogModel.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleEditor.h"
#include "titles/TitleFileWriter.h"
#include "titles/TitleSlots.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

using namespace zel;
using namespace zel::test;

namespace {

constexpr int kSlot = 1;
const QString kNeedsTitles = u"Download, open or type titles first"_qs;
const QString kNeedsCheck = u"Run Tool > Check without errors first"_qs;

// A title data reply whose eight codes read as the title "1".
QString titleReply() {
    const QByteArray codes = QByteArray::fromHex("8001") + QByteArray::fromHex("00FD").repeated(7);
    return DataReplyText(QByteArray::fromHex("00100100B10000") + codes);
}

class TitleSessionTest : public ::testing::Test, protected MemoryLink {
protected:
    void SetUp() override {
        ASSERT_TRUE(openTestPort());
        settings.ApplicationFolder = m_dir.path() + QLatin1Char('/');
        m_session.onTransferEnded = [this](bool completed) { m_ended.append(completed); };
        m_session.onTitlesChanged = [this](int category) { m_repainted.append(category); };
        m_session.load();
    }
    TitleDocument& document() { return m_session.document(); }
    TitleEditor& editor() { return m_session.editor(); }
    TitleControls controls() const { return m_session.controls(false); }
    QString writeFile(const char* name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
    QString writeTitleFile(const char* name, const QString& homeTitle) {
        TitleDocument written;
        written.setTitle(CategoryHome, 1, homeTitle);
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(WriteTitleFile(path, written, TitleFileLabelsFor(m_language), sink));
        return path;
    }
    // Answers every title of the transfer under way with the title "1".
    void answerAll() {
        for (int guard = 0; guard < 400 && m_session.isTransferring(); ++guard)
            port.receiveHex(port.written.isEmpty() || sentData().last().size() > 8 ? u"06"_qs
                                                                                   : titleReply());
    }
    // Typed titles that pass the check of the category shown: UPLOAD on.
    void typeAndCheck(int category, const QString& title) {
        editor().changeTab(category);
        editor().setTitle(category, 0, title);
        ASSERT_TRUE(editor().check());
        sink.clear();
    }

    QTemporaryDir m_dir;
    LanguageTables m_language;
    TitleCharTable m_table{0};
    TitleSlots m_slots;
    ManualTimer* m_autoSave = new ManualTimer; // the session owns it
    TitleSession m_session{{engine, m_slots, settings, m_table, m_language, sink},
                           kSlot,
                           std::unique_ptr<Timer>(m_autoSave)};
    QList<bool> m_ended;
    QList<int> m_repainted;
};

} // namespace

TEST_F(TitleSessionTest, ControlsOfAFreshScreenAndTheNumberBoxFocus) {
    const TitleControls fresh = controls();
    EXPECT_EQ(std::tuple(fresh.undo, fresh.sort, fresh.cutCopy, fresh.upload, fresh.uploadOffHint),
              std::tuple(false, false, true, false, kNeedsTitles));
    EXPECT_FALSE(m_session.controls(true).cutCopy);
    editor().changeTab(CategoryPosition);
    EXPECT_TRUE(controls().sort);
    editor().snapshotTitle(CategoryPosition, 0);
    editor().setTitle(CategoryPosition, 0, u"GATE"_qs);
    EXPECT_TRUE(controls().undo);
    EXPECT_EQ(controls().uploadOffHint, kNeedsCheck);
}

// Titles read from a title file, a CSV file or another window are content: they start without
// undo and wait for a new check; a refused file changes nothing.
TEST_F(TitleSessionTest, ReadTitlesStartWithoutUndoAndWaitForANewCheck) {
    const QString garbage = writeFile("garbage.ttl", QByteArray("\x82\xff\x01 junk", 8));
    const QString badCsv = writeFile("bad.csv", "category,number,title\nHOME,9,X\n");
    const QString goodCsv = writeFile("good.csv", "category,number,title\nHOME,1,READ\n");
    const QString file = writeTitleFile("home.ttl", u"READ"_qs);
    TitleDocument other;
    other.CameraNo = u"4"_qs;
    other.setTitle(CategoryHome, 1, u"READ"_qs);
    const std::function<bool()> reads[] = {
        [&] { return m_session.openFile(garbage) != TitleOpenResult::NotLoaded; },
        [&] { return m_session.importCsv(badCsv); },
        [&] { return m_session.openFile(file) == TitleOpenResult::Loaded; },
        [&] { return m_session.importCsv(goodCsv); },
        [&] { return m_session.takeDocument(other), true; }};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        typeAndCheck(CategoryHome, u"TYPED"_qs);
        editor().snapshotTitle(CategoryHome, 0);
        document().TitleModified = false;
        m_repainted.clear();
        const bool accepted = i >= 2;
        ASSERT_EQ(reads[i](), accepted);
        EXPECT_EQ(document().title(CategoryHome, 1), accepted ? u"READ"_qs : u"TYPED"_qs);
        EXPECT_EQ(std::tuple(controls().undo, controls().upload, controls().uploadOffHint),
                  std::tuple(!accepted, !accepted, accepted ? kNeedsCheck : QString()));
        EXPECT_EQ(m_repainted.size(), accepted ? kTitleCategoryCount : 0);
    }
    EXPECT_EQ(document().CameraNo, u"4"_qs);
    // A change still takes UPLOAD away.
    ASSERT_TRUE(editor().check());
    document().MarkModified();
    EXPECT_FALSE(controls().upload);
    // A wrong number and "do not read on": partly read, not content.
    sink.answers = {ButtonNo};
    const QString wrong = writeFile("wrong.ttl", "100\r\n3\r\n[CAMERA]\r\n\"cam\"\r\n");
    EXPECT_EQ(m_session.openFile(wrong), TitleOpenResult::Stopped);
    EXPECT_EQ(controls().uploadOffHint, kNeedsTitles);
}

TEST_F(TitleSessionTest, DownloadReplacesTheCategoryShown) {
    editor().changeTab(CategoryHome);
    document().setTitle(CategoryHome, 1, u"OLD"_qs);
    document().TitleModified = false;
    ASSERT_TRUE(m_session.download());
    EXPECT_EQ(document().title(CategoryHome, 1), QString()) << "emptied first";
    EXPECT_EQ(sentData(), QStringList{u"B1070010"_qs});
    EXPECT_TRUE(m_session.isTransferring());
    answerAll();
    EXPECT_EQ(std::tuple(m_ended, document().title(CategoryHome, 3), document().TitleModified),
              std::tuple(QList<bool>{true}, u"1"_qs, true));
    EXPECT_EQ(controls().uploadOffHint, kNeedsCheck) << "downloaded titles are content";
    ASSERT_TRUE(editor().check());
    EXPECT_TRUE(controls().upload);
    m_session.transferDialog().close();
}

TEST_F(TitleSessionTest, DownloadThatEndsEarlyOrCannotStartLeavesNoContent) {
    typeAndCheck(CategoryTour, u"TOUR"_qs);
    document().TitleModified = false;
    ASSERT_TRUE(m_session.download());
    port.receiveHex(u"15"_qs); // NACK
    EXPECT_EQ(std::tuple(m_ended, document().TitleModified, controls().upload,
                         controls().uploadOffHint, document().title(CategoryTour, 1)),
              std::tuple(QList<bool>{false}, true, false, kNeedsTitles, QString()));

    // The port is closed: nothing goes out, but the category is emptied and repainted.
    document().setTitle(CategoryTour, 1, u"AGAIN"_qs);
    engine.CloseCommPort();
    m_repainted.clear();
    const qsizetype written = port.written.size();
    EXPECT_FALSE(m_session.download());
    EXPECT_EQ(std::tuple(port.written.size(), document().title(CategoryTour, 1),
                         m_repainted.contains(CategoryTour)),
              std::tuple(written, QString(), true));
}

TEST_F(TitleSessionTest, AllUploadRefusesTitlesFromNowhereAndFollowsItsCheck) {
    EXPECT_FALSE(m_session.allUpload());
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(sink.shown[0].extra, m_language.piece(MessagePiece::NoInput));

    sink.clear();
    editor().setTitle(CategoryTrace, 0, u"NINECHARS"_qs);
    EXPECT_FALSE(m_session.allUpload());
    EXPECT_EQ(sink.shown.size(), 1) << "the check result";
    EXPECT_EQ(std::tuple(controls().upload, port.written.size()), std::tuple(false, 0));

    editor().setTitle(CategoryTrace, 0, u"AB"_qs);
    ASSERT_TRUE(m_session.allUpload());
    EXPECT_TRUE(controls().upload) << "all nine categories passed";
    answerAll();
    EXPECT_EQ(std::tuple(m_ended, port.written.size()), std::tuple(QList<bool>{true}, 302));
    m_session.transferDialog().close();
}

TEST_F(TitleSessionTest, UploadOfTheCategoryGoesOnlyAfterAPassingCheck) {
    editor().changeTab(CategoryHome);
    EXPECT_FALSE(m_session.upload());
    editor().setTitle(CategoryHome, 0, u"HOME"_qs);
    EXPECT_FALSE(m_session.upload()) << "not checked";
    EXPECT_TRUE(port.written.isEmpty());
    ASSERT_TRUE(editor().check());
    ASSERT_TRUE(m_session.upload());
    answerAll();
    EXPECT_EQ(port.written.size(), 3);
    m_session.transferDialog().close();
}

// A menu command does not leave a number box: the address is checked again before a send.
TEST_F(TitleSessionTest, TransfersRefuseAnAddressOutOfRangeBeforeAnythingChanges) {
    typeAndCheck(CategoryHome, u"KEEP"_qs);
    const std::function<bool()> starts[] = {
        [this] { return m_session.download(); }, [this] { return m_session.upload(); },
        [this] { return m_session.allDownload(); }, [this] { return m_session.allUpload(); }};
    for (const auto& [remote, camera, range] :
         {std::tuple{"0", "1", "1 to 99"}, std::tuple{"1", "256", "1 to 255"}}) {
        document().RemoteNo = QString::fromLatin1(remote);
        document().CameraNo = QString::fromLatin1(camera);
        for (const std::function<bool()>& start : starts) {
            sink.clear();
            EXPECT_FALSE(start()) << remote << " " << camera;
            ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
            EXPECT_TRUE(sink.shown[0].extra.startsWith(QString::fromLatin1(range)));
        }
    }
    EXPECT_EQ(std::tuple(port.written.size(), document().title(CategoryHome, 1), controls().upload),
              std::tuple(0, u"KEEP"_qs, true));
}

TEST_F(TitleSessionTest, NumberBoxesWriteTheDocumentAndCheckTheirRange) {
    m_session.remoteNoEdited(u"15"_qs);
    EXPECT_EQ(std::tuple(document().RemoteNo, document().TitleModified),
              std::tuple(u"15"_qs, true));
    EXPECT_FALSE(m_session.numberBoxLeft(TitleSession::NumberField::Remote, u"100"_qs));
    EXPECT_FALSE(m_session.numberBoxLeft(TitleSession::NumberField::Camera, u"0"_qs));
    EXPECT_EQ(sink.numbers(), (QList<int>{MessageError, MessageError}));
    // Another camera's number asks once to save the titles in edit; the number the box is
    // left with is the one the next change is compared with.
    sink.clear();
    sink.answers = {ButtonNo, ButtonNo};
    EXPECT_TRUE(m_session.cameraNoEdited(u"7"_qs) && m_session.cameraNoEdited(u"70"_qs));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageSaveInEdit});
    EXPECT_EQ(document().CameraNo, u"70"_qs);
    EXPECT_TRUE(m_session.numberBoxLeft(TitleSession::NumberField::Camera, u"70"_qs));
    EXPECT_EQ(m_slots.LastCameraNo, u"70"_qs);
    EXPECT_TRUE(m_session.cameraNoEdited(u"70"_qs)); // the same number: no question
    EXPECT_TRUE(m_session.cameraNoEdited(u"8"_qs));
    EXPECT_EQ(sink.numbers(), (QList<int>{MessageSaveInEdit, MessageSaveInEdit}));
}

TEST_F(TitleSessionTest, CloseWaitsForTheTransferAndTheSavePrompt) {
    const QString path = writeTitleFile("kept.ttl", u"KEPT"_qs);
    ASSERT_EQ(m_session.openFile(path), TitleOpenResult::Loaded);
    ASSERT_TRUE(m_session.allDownload());
    sink.clear();
    EXPECT_FALSE(m_session.mayClose());
    EXPECT_TRUE(sink.shown.isEmpty()) << "refused without a question";
    port.receiveHex(u"15"_qs);
    ASSERT_TRUE(document().TitleModified);
    sink.answers = {ButtonCancel, ButtonNo};
    EXPECT_FALSE(m_session.mayClose());
    EXPECT_TRUE(m_session.mayClose());
    EXPECT_EQ(m_slots.TitleFileName(kSlot), path);
    m_session.close();
    EXPECT_EQ(m_slots.TitleFileName(kSlot), QString());
}

TEST_F(TitleSessionTest, AutoBackupRunsOnItsOwnTimerFromTheSetting) {
    EXPECT_FALSE(m_autoSave->isActive()) << "AutoSave 0: off";
    settings.AutoSave = u"1"_qs; // every 3 minutes
    m_session.SetTime_OnOffProc();
    ASSERT_TRUE(m_autoSave->isActive());
    EXPECT_EQ(m_autoSave->interval(), 60000); // counts minutes
    EXPECT_TRUE(m_autoSave->fireNow() && m_autoSave->fireNow());
    EXPECT_FALSE(QFile::exists(m_dir.filePath(u"temp1.ttl"_qs)));
    m_autoSave->fireNow();
    EXPECT_TRUE(QFile::exists(m_dir.filePath(u"temp1.ttl"_qs)));
    settings.AutoSave = u"0"_qs;
    m_autoSave->fireNow();
    EXPECT_FALSE(m_autoSave->isActive()) << "switched off: the next tick stops the timer";
    m_session.SetTime_OnOffProc();
    EXPECT_EQ(std::tuple(m_autoSave->isActive(), sink.shown.size()), std::tuple(false, 0));
}
