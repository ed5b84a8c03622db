// Options, the desktop session, and record files through the main window's
// commands, the clipboard and dropped files.
#include "appfixture.h"
#include "cbgkibo.h"
#include "commandid.h"
#include "gamefiles.h"
#include "language.h"
#include "recordformat.h"

#include <KConfig>
#include <KConfigGroup>
#include <KSharedConfig>
#include <KToolBar>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

using namespace cmd;

KConfigGroup Options()
{
    return KSharedConfig::openConfig()->group("General Options");
}

void ForgetOptions()
{
    KSharedConfig::openConfig()->deleteGroup("General Options");
    KSharedConfig::openConfig()->sync();
}

// The stored options and view switches as one line: first and second player,
// level, handicap, record opening, replay speed, two-character faces, sound,
// first player at the top; tool bar, controller, record window.
QString Stored(ShogiApp *app)
{
    const ShogiDoc *d = app->getDocument();
    QStringList v;
    for (int n : {int(d->GetFirstPlayer()->GetProperty()), int(d->GetSecondPlayer()->GetProperty()),
                  int(d->GetComputerLevel()), int(d->GetTeai()), int(d->GetKiboProperty()),
                  int(d->GetKiboSpeed()), int(d->GetStandardKoma()), int(d->GetOSSound()),
                  int(d->GetFirstUp()), int(app->Command(ViewToolBar)->isChecked()),
                  int(app->Command(ViewControlBar)->isChecked()),
                  int(app->Command(ViewRecord)->isChecked())})
        v << QString::number(n);
    return v.join(' ');
}

// The session calls are the desktop's; the test plays the desktop.
struct SessionApp : ShogiApp
{
    using ShogiApp::readProperties;
    using ShogiApp::saveProperties;
};

class Files : public App
{
protected:
    void SetUp() override
    {
        App::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    QString Path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    void Write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The record in a file as a USI position line, or why it was refused.
    std::string FileAsUsi(const QString &path)
    {
        records::GameRecord rec;
        records::ReadReport report;
        if (!records::ReadRecordFile(path, rec, report))
            return "refused: " + report.Message();
        return records::WriteRecord(rec, records::Format::Usi).trimmed().toStdString();
    }
    void TwoMoves()
    {
        NewHumanGame();
        Drag(2, 6, 2, 5);
        Drag(6, 2, 6, 3);
    }
    QTemporaryDir dir;
};

using RecordFiles = Files;

const char kNamedCsa[] = "V2.2\nN+Aoi\nN-Ren\nPI\n+\n+7776FU\n-3334FU\n";

TEST(Options, FirstStartGivesTheDefaultsAndTheyComeBackFromTheFile)
{
    ForgetOptions();
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    ASSERT_FALSE(file.startsWith(QDir::homePath() + QStringLiteral("/.config")))
        << "tests never touch the user's configuration";
    QPointer<ShogiApp> app = new ShogiApp;
    app->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app));
    ShogiDoc *doc = app->getDocument();
    KToolBar *mainBar = app->toolBar(QStringLiteral("mainToolBar"));
    KToolBar *control = app->toolBar(QStringLiteral("controlToolBar"));
    EXPECT_EQ(app->size(), QGuiApplication::primaryScreen()->availableGeometry().size());
    EXPECT_EQ(Stored(app), "1 2 0 0 1 2 1 1 0 1 0 1");
    EXPECT_TRUE(control->isHidden());
    EXPECT_FALSE(mainBar->isHidden());
    EXPECT_EQ(app->toolBarArea(mainBar), Qt::TopToolBarArea);
    EXPECT_EQ(app->toolBarArea(control), Qt::LeftToolBarArea);
    EXPECT_TRUE(app->GetBGKibo()->isVisible());

    // Changed, written at exit, read at the next start.
    doc->SetTeai(3);
    doc->SetComputerLevel(2);
    doc->GetFirstPlayer()->SetProperty(2);
    doc->SetKiboSpeed(4);
    doc->SetKiboProperty(2);
    doc->SetOSSound(false);
    doc->SetStandardKoma(false);
    for (int id : {ViewToolBar, ViewControlBar, ViewRecord})
        app->Command(id)->trigger();
    app->resize(820, 700);
    app->Command(FileExit)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.isNull(); }, 5000));
    EXPECT_EQ(Options().readEntry("Teai", 0), 3);

    app = new ShogiApp;
    doc = app->getDocument();
    EXPECT_EQ(app->size(), QSize(820, 700));
    EXPECT_EQ(Stored(app), "2 2 2 3 2 4 0 0 0 0 1 0");
    EXPECT_TRUE(app->toolBar(QStringLiteral("mainToolBar"))->isHidden());
    EXPECT_FALSE(app->toolBar(QStringLiteral("controlToolBar"))->isHidden());
    EXPECT_EQ(doc->GetBoardInfo(7, 7), 0) << "the set-up follows the handicap";
    delete app.data();

    // Values no build of the program writes fall back to the defaults.
    KConfigGroup g = Options();
    g.writeEntry("ComputerLevel", 9);
    g.writeEntry("KiboSpeed", -1);
    g.writeEntry("FirstProperty", 0);
    g.sync();
    app = new ShogiApp;
    EXPECT_EQ(Stored(app), "1 2 0 3 2 2 0 0 0 0 1 0");
    delete app.data();
    ForgetOptions();
}

TEST(Session, AnUnsavedGameComesBackAfterLogout)
{
    TestBoxes::Reset();
    QTemporaryDir dir;
    KConfig sessionFile(dir.filePath(QStringLiteral("session")), KConfig::SimpleConfig);
    KConfigGroup group = sessionFile.group("1");
    {
        auto *app = new SessionApp;
        ShogiDoc *doc = app->getDocument();
        doc->GetSecondPlayer()->SetProperty(1);
        app->Command(GameNew)->trigger();
        doc->AddKibo(2, 6, 111, 2, 5, 0, 111);
        app->saveProperties(group);
        EXPECT_TRUE(doc->isModified()) << "the game is still unsaved in this session";
        delete app;
    }
    const QString recover = group.readEntry("recover", QString());
    ASSERT_TRUE(QFile::exists(recover));
    EXPECT_TRUE(group.readEntry("modified", false));
    auto *app = new SessionApp;
    app->readProperties(group);
    ShogiDoc *doc = app->getDocument();
    EXPECT_EQ(doc->GetKiboNum(), 1);
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->getTitle(), JStr(JC_Untitled));
    EXPECT_FALSE(QFile::exists(recover));
    EXPECT_TRUE(app->windowTitle().endsWith(JStr(JC_Untitled)));
    delete app;
}

// Names that make no file are refused; a name without an extension gets .kvn.
TEST_F(Files, SaveAsRefusesBlankNamesAndAppendsTheExtension)
{
    TwoMoves();
    for (const QString &bad : {Path("") + QLatin1Char('/'), Path(" game"), Path(".kvn")}) {
        TestBoxes::Reset();
        TestDesktop::fileNames.push_back(bad);
        Trigger(FileSaveAs);
        EXPECT_EQ(TestBoxes::Count(JC_IncorrectKiboFile), 1) << bad.toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->getTitle(), JStr(JC_Untitled));
    Trigger(FileSaveAs); // the dialog cancelled
    EXPECT_TRUE(doc->isModified());
    TestDesktop::fileNames.push_back(Path("game"));
    Trigger(FileSave); // untitled: save runs save-as
    EXPECT_TRUE(QFile::exists(Path("game.kvn")));
    EXPECT_EQ(doc->getTitle(), QStringLiteral("game.kvn"));
    EXPECT_EQ(app->windowTitle(), QStringLiteral("Korvane: game.kvn"));
    EXPECT_FALSE(doc->isModified());
    EXPECT_FALSE(Enabled(FileSave));
    EXPECT_EQ(TestDesktop::fileCaptions.back(), JStr(JC_StaFileSaveAs));
    const char *names[][2] = {
        {"game.old", "game.old.kvn"}, {"my.game.kvn", "my.game.kvn"}, {"/a.b/game", "/a.b/game.kvn"}};
    for (const auto &n : names)
        EXPECT_EQ(GameFiles::WithRecordExtension(QString::fromUtf8(n[0])), QString::fromUtf8(n[1]));
}

TEST_F(Files, AFailedSaveWarnsAndKeepsTheGame)
{
    TwoMoves();
    const QString target = Path("missing/dir/game.kvn");
    TestDesktop::fileNames.push_back(target);
    Trigger(FileSaveAs);
    ASSERT_EQ(TestBoxes::texts.size(), 1u);
    EXPECT_TRUE(TestBoxes::texts[0].startsWith(JStr(JC_MSGSaveFailed)));
    EXPECT_TRUE(TestBoxes::texts[0].contains(QDir::toNativeSeparators(target)));
    EXPECT_TRUE(doc->isModified());
    EXPECT_TRUE(Enabled(FileSave));
    EXPECT_EQ(doc->getTitle(), JStr(JC_Untitled)) << "not named after a file that is not there";
    EXPECT_EQ(doc->GetKiboNum(), 2);

    // A titled game whose file cannot be written: exit asks, fails, stays open.
    TestDesktop::fileNames.push_back(Path("game.kvn"));
    Trigger(FileSaveAs);
    ASSERT_FALSE(doc->isModified());
    Drag(7, 6, 7, 5);
    ASSERT_TRUE(dir.remove());
    TestBoxes::Reset();
    TestBoxes::answers.push_back(BoxAnswer::Yes);
    Trigger(FileExit);
    QTest::qWait(50);
    ASSERT_FALSE(app.isNull()) << "the window stays";
    EXPECT_TRUE(app->isVisible());
    EXPECT_EQ(TestBoxes::Count(JC_MsgIsModify), 1);
    ASSERT_EQ(TestBoxes::texts.size(), 2u);
    EXPECT_TRUE(TestBoxes::texts[1].startsWith(JStr(JC_MSGSaveFailed)));
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->GetKiboNum(), 3);
}

// A record opens at its start or its end as the options say; a file that is
// no record is refused and the game goes on untouched.
TEST_F(Files, OpenShowsTheStartOrTheEndAndARefusedFileLeavesTheGame)
{
    TwoMoves();
    TestDesktop::fileNames.push_back(Path("two.kvn"));
    Trigger(FileSaveAs);
    Trigger(GameNew);
    Drag(7, 6, 7, 5);
    ASSERT_EQ(doc->GetKiboNum(), 1);
    Write(Path("junk.kvn"), "not a record");
    TestBoxes::answers.push_back(BoxAnswer::No); // do not save the game
    TestDesktop::fileNames.push_back(Path("junk.kvn"));
    Trigger(FileOpen);
    EXPECT_EQ(TestBoxes::Count(JC_IncorrectKiboFile), 1);
    EXPECT_EQ(doc->GetKiboNum(), 1);
    EXPECT_EQ(doc->GetBoardInfo(7, 5), 111);
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);

    doc->SetKiboProperty(1);
    TestDesktop::fileNames.push_back(Path("two.kvn"));
    Trigger(FileOpen);
    EXPECT_EQ(TestDesktop::fileCaptions.back(), JStr(JC_StaFileOpen));
    EXPECT_EQ(doc->GetKiboNum(), 2);
    EXPECT_EQ(doc->GetKiboTestPos(), -1);
    EXPECT_EQ(doc->GetBoardInfo(2, 6), 111) << "the board shows the start";
    EXPECT_EQ(app->windowTitle(), QStringLiteral("Korvane: two.kvn"));
    EXPECT_EQ(app->GetBGKibo()->ItemNum(), 3);
    EXPECT_EQ(app->GetBGKibo()->CurPos(), 0);
    EXPECT_TRUE(Enabled(RecordForward) && Enabled(RecordLast) && !Enabled(RecordFirst));
    EXPECT_EQ(g_byGameStatus, GameStatus::Stopped);

    doc->SetKiboProperty(2);
    app->openDocumentFile(Path("two.kvn"));
    EXPECT_EQ(doc->GetKiboTestPos(), 1);
    EXPECT_EQ(doc->GetBoardInfo(6, 3), 121) << "the board stays at the end";
    EXPECT_TRUE(!Enabled(RecordForward) && Enabled(RecordBack));
}

// A game keeps the format of its file: saved as KIF it is saved again as KIF,
// by the command or at the closing question; the loss of what another format
// cannot hold is asked about once.
TEST_F(RecordFiles, SavesKeepTheFormatAndAskOnceBeforeDropping)
{
    Write(Path("named.csa"), kNamedCsa);
    app->openDocumentFile(Path("named.csa"));
    ASSERT_EQ(doc->GetKiboNum(), 2);
    EXPECT_EQ(app->windowTitle(), QStringLiteral("Korvane: named.csa"));
    NewHumanGame(); // a new game keeps no names
    Drag(2, 6, 2, 5);
    TestDesktop::fileNames.push_back(Path("game.kif"));
    Trigger(FileSaveAs);
    EXPECT_EQ(FileAsUsi(Path("game.kif")), "position startpos moves 7g7f");
    Drag(6, 2, 6, 3);
    Trigger(FileSave); // plain save: still KIF, nothing dropped, no question
    EXPECT_EQ(FileAsUsi(Path("game.kif")), "position startpos moves 7g7f 3c3d");
    EXPECT_TRUE(TestBoxes::texts.empty());
    NewHumanGame();
    app->openDocumentFile(Path("game.kif"));
    doc->setModified(true);
    TestBoxes::answers = {BoxAnswer::Yes};
    EXPECT_TRUE(doc->saveModified());
    EXPECT_EQ(FileAsUsi(Path("game.kif")), "position startpos moves 7g7f 3c3d");

    app->openDocumentFile(Path("named.csa"));
    TestBoxes::Reset();
    TestDesktop::fileNames = {Path("named.usi"), Path("named.usi")};
    TestBoxes::answers = {BoxAnswer::No, BoxAnswer::Yes};
    Trigger(FileSaveAs); // names would be lost: refused
    EXPECT_FALSE(QFile::exists(Path("named.usi")));
    Trigger(FileSaveAs);
    EXPECT_EQ(FileAsUsi(Path("named.usi")), "position startpos moves 7g7f 3c3d");
    EXPECT_EQ(TestBoxes::Count(JC_WillDrop), 0) << "texts carry the list after the question";
    EXPECT_EQ(TestBoxes::texts.size(), 2u);
    Trigger(FileSave);
    EXPECT_EQ(TestBoxes::texts.size(), 2u) << "asked once";
}

TEST_F(RecordFiles, RefusedRecordNamesTheLineAndLeavesTheGame)
{
    NewHumanGame();
    Drag(2, 6, 2, 5);
    Write(Path("bad.csa"), "PI\n+\n+7776FU\n+2726FU\n");
    for (const char *bad : {"bad.csa", "missing.kif"}) {
        SCOPED_TRACE(bad);
        TestBoxes::Reset();
        app->openDocumentFile(Path(bad));
        ASSERT_EQ(TestBoxes::texts.size(), 1u);
        EXPECT_TRUE(TestBoxes::texts[0].startsWith(JStr(JC_RecordRefused)));
        EXPECT_EQ(doc->GetKiboNum(), 1);
        EXPECT_EQ(doc->GetBoardInfo(2, 5), 111);
    }
    app->openDocumentFile(Path("bad.csa"));
    EXPECT_TRUE(TestBoxes::texts.back().contains(QStringLiteral("line 4")))
        << "the sente move out of turn";
}

TEST_F(RecordFiles, ClipboardAndDroppedFiles)
{
    TwoMoves();
    Trigger(CopyPosition);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL b - 3"));
    Trigger(CopyRecord);
    const QString kif = QApplication::clipboard()->text();
    EXPECT_TRUE(kif.contains(QStringLiteral("３四歩(33)"))) << kif.toStdString();

    QApplication::clipboard()->setText(QStringLiteral("hello"));
    Trigger(PasteRecord);
    EXPECT_TRUE(app->StatusMessage().startsWith(JStr(JC_PasteNotRecord)));
    EXPECT_EQ(doc->GetKiboNum(), 2);

    QApplication::clipboard()->setText(kif);
    TestBoxes::answers = {BoxAnswer::No}; // do not save the game on screen
    Trigger(PasteRecord);
    EXPECT_EQ(doc->GetKiboNum(), 2);
    EXPECT_EQ(doc->getTitle(), JStr(JC_Untitled));
    EXPECT_TRUE(doc->isModified()) << "a pasted game is not saved anywhere yet";

    Write(Path("drop.csa"), kNamedCsa);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Path("drop.csa"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(app, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    TestBoxes::answers = {BoxAnswer::No};
    QApplication::sendEvent(app, &drop);
    EXPECT_EQ(app->windowTitle(), QStringLiteral("Korvane: drop.csa"));
}

} // namespace
