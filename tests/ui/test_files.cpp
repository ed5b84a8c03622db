#include "appfixture.h"
#include "cbgkibo.h"
#include "gamefiles.h"
#include "language.h"

#include <KConfig>
#include <KConfigGroup>
#include <KSharedConfig>
#include <KToolBar>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

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
                  int(d->GetFirstUp()), int(app->Command(14010)->isChecked()),
                  int(app->Command(14040)->isChecked()), int(app->Command(14050)->isChecked())})
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
    QString Path(const QString &name) const { return dir.filePath(name); }
    QString Caption() const { return app->windowTitle(); }
    void TwoMoves()
    {
        NewHumanGame();
        Drag(2, 6, 2, 5);
        Drag(6, 2, 6, 3);
    }
    QTemporaryDir dir;
};

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
    app->Command(14010)->trigger();
    app->Command(14040)->trigger();
    app->Command(14050)->trigger();
    app->resize(820, 700);
    app->Command(10050)->trigger();
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

TEST_F(Files, SaveAsAppendsTheExtensionAndNamesTheWindow)
{
    TwoMoves();
    ASSERT_TRUE(Enabled(10020));
    TestDesktop::fileNames.push_back(Path(QStringLiteral("game")));
    Trigger(10020); // untitled: save runs save-as
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("game.kvn"))));
    EXPECT_EQ(doc->getTitle(), QStringLiteral("game.kvn"));
    EXPECT_EQ(Caption(), QStringLiteral("Korvane: game.kvn"));
    EXPECT_FALSE(doc->isModified());
    EXPECT_FALSE(Enabled(10020));
    EXPECT_EQ(TestDesktop::fileCaptions.back(), JStr(JC_StaFileSaveAs));
    EXPECT_EQ(GameFiles::WithRecordExtension(QStringLiteral("game.old")),
              QStringLiteral("game.old.kvn"));
    EXPECT_EQ(GameFiles::WithRecordExtension(QStringLiteral("my.game.kvn")),
              QStringLiteral("my.game.kvn"));
    EXPECT_EQ(GameFiles::WithRecordExtension(QStringLiteral("/a.b/game")),
              QStringLiteral("/a.b/game.kvn"));
}

TEST_F(Files, SaveAsRefusesEmptyAndBlankNames)
{
    TwoMoves();
    for (const QString &bad : {Path(QString()) + QLatin1Char('/'), Path(QStringLiteral(" game")),
                               Path(QStringLiteral(".kvn"))}) {
        TestBoxes::Reset();
        TestDesktop::fileNames.push_back(bad);
        Trigger(10030);
        EXPECT_EQ(TestBoxes::Count(JC_IncorrectKiboFile), 1) << bad.toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->getTitle(), JStr(JC_Untitled));
    Trigger(10030); // the dialog cancelled
    EXPECT_TRUE(doc->isModified());
}

TEST_F(Files, AFailedSaveWarnsAndKeepsTheGame)
{
    TwoMoves();
    const QString target = Path(QStringLiteral("missing/dir/game.kvn"));
    TestDesktop::fileNames.push_back(target);
    Trigger(10030);
    ASSERT_EQ(TestBoxes::texts.size(), 1u);
    EXPECT_TRUE(TestBoxes::texts[0].startsWith(JStr(JC_MSGSaveFailed)));
    EXPECT_TRUE(TestBoxes::texts[0].contains(QDir::toNativeSeparators(target)));
    EXPECT_TRUE(doc->isModified());
    EXPECT_TRUE(Enabled(10020));
    EXPECT_EQ(doc->getTitle(), JStr(JC_Untitled)) << "not named after a file that is not there";
    EXPECT_EQ(doc->GetKiboNum(), 2);

    // A titled game whose file cannot be written: exit asks, fails, stays open.
    TestDesktop::fileNames.push_back(Path(QStringLiteral("game.kvn")));
    Trigger(10030);
    ASSERT_FALSE(doc->isModified());
    Drag(7, 6, 7, 5);
    ASSERT_TRUE(dir.remove());
    TestBoxes::Reset();
    TestBoxes::answers.push_back(BoxAnswer::Yes);
    Trigger(10050);
    QTest::qWait(50);
    ASSERT_FALSE(app.isNull()) << "the window stays";
    EXPECT_TRUE(app->isVisible());
    EXPECT_EQ(TestBoxes::Count(JC_MsgIsModify), 1);
    ASSERT_EQ(TestBoxes::texts.size(), 2u);
    EXPECT_TRUE(TestBoxes::texts[1].startsWith(JStr(JC_MSGSaveFailed)));
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->GetKiboNum(), 3);
}

TEST_F(Files, OpenShowsTheStartAndARefusedFileLeavesTheGame)
{
    TwoMoves();
    TestDesktop::fileNames.push_back(Path(QStringLiteral("two.kvn")));
    Trigger(10030);
    Trigger(11010);
    Drag(7, 6, 7, 5);
    ASSERT_EQ(doc->GetKiboNum(), 1);
    // A file that is not a record: refused, the game goes on untouched.
    QFile junk(Path(QStringLiteral("junk.kvn")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a record");
    junk.close();
    TestBoxes::answers.push_back(BoxAnswer::No); // do not save the game
    TestDesktop::fileNames.push_back(junk.fileName());
    Trigger(10010);
    EXPECT_EQ(TestBoxes::Count(JC_IncorrectKiboFile), 1);
    EXPECT_EQ(doc->GetKiboNum(), 1);
    EXPECT_EQ(doc->GetBoardInfo(7, 5), 111);
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);

    doc->SetKiboProperty(1);
    TestDesktop::fileNames.push_back(Path(QStringLiteral("two.kvn")));
    Trigger(10010);
    EXPECT_EQ(TestDesktop::fileCaptions.back(), JStr(JC_StaFileOpen));
    EXPECT_EQ(doc->GetKiboNum(), 2);
    EXPECT_EQ(doc->GetKiboTestPos(), -1);
    EXPECT_EQ(doc->GetBoardInfo(2, 6), 111) << "the board shows the start";
    EXPECT_EQ(Caption(), QStringLiteral("Korvane: two.kvn"));
    EXPECT_EQ(app->GetBGKibo()->ItemNum(), 3);
    EXPECT_EQ(app->GetBGKibo()->CurPos(), 0);
    EXPECT_TRUE(Enabled(12040));
    EXPECT_TRUE(Enabled(12030));
    EXPECT_FALSE(Enabled(12010));
    EXPECT_EQ(g_byGameStatus, GameStatus::Stopped);

    doc->SetKiboProperty(2);
    app->openDocumentFile(Path(QStringLiteral("two.kvn")));
    EXPECT_EQ(doc->GetKiboTestPos(), 1);
    EXPECT_EQ(doc->GetBoardInfo(6, 3), 121) << "the board stays at the end";
    EXPECT_FALSE(Enabled(12040));
    EXPECT_TRUE(Enabled(12020));
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
        app->Command(11010)->trigger();
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

} // namespace
