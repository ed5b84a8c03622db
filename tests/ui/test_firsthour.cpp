// What a new player meets in the first hour.
#include "appfixture.h"
#include "cbgkibo.h"
#include "cinfowidget.h"
#include "docfixture.h"
#include "ckibowidget.h"
#include "helpwindow.h"
#include "language.h"
#include "qttranslations.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <set>
#include <thread>

namespace {

using namespace cmd;

class FirstHour : public App
{
protected:
    // The first player to move with a pawn in hand; the top king hemmed in
    // by its lances, golds before it.
    static constexpr const char *kHemmedIn = "3lkl3/9/3G1G3/9/9/9/9/9/4K4 b P";
    void Position(const char *sfen = kHemmedIn)
    {
        ASSERT_EQ(SetSfen(*doc, sfen), "");
        board->RedrawAll();
    }
    QString Saved()
    {
        EXPECT_TRUE(doc->saveDocument(dir.filePath(QStringLiteral("g.kvn"))));
        return dir.filePath(QStringLiteral("g.kvn"));
    }
    QTemporaryDir dir;
};

TEST_F(FirstHour, EditingAnOpenedRecordAsksAndNeverWritesOverTheFile)
{
    NewHumanGame();
    Drag(2, 6, 2, 5);
    const QString path = Saved();
    app->openDocumentFile(path);
    EXPECT_TRUE(Enabled(FileSaveAs)) << "a copy can be saved under a new name";
    Trigger(GameEditBoard); // answered No
    EXPECT_EQ(doc->GetKiboNum(), 1);
    TestBoxes::answers = {BoxAnswer::Yes, BoxAnswer::Yes};
    Trigger(GameEditBoard);
    Trigger(GameResume);
    Drag(2, 5, 2, 4);
    Trigger(FileSave); // asks for a name, none given
    EXPECT_EQ(TestDesktop::fileCaptions, std::vector<QString>{JStr(JC_StaFileSaveAs)});
    EXPECT_EQ(QFileInfo(path).size(), ShogiDoc::KvnHeaderSize + ShogiDoc::KvnEntrySize);
}

TEST_F(FirstHour, AFinishedGameIsNotResumedAtItsEnd)
{
    for (bool resigned : {true, false}) {
        NewHumanGame();
        if (resigned) {
            Position();
            Trigger(GameResign);
            app->openDocumentFile(Saved());
        } else {
            Position("3lkl3/9/3GGG3/9/9/9/9/9/4K4 b P");
            Drag(4, 2, 4, 1); // mate
        }
        Trigger(RecordLast);
        Trigger(GameResume);
        EXPECT_EQ(app->StatusMessage(), JStr(JC_MsgGameIsOver)) << resigned;
        EXPECT_NE(g_byGameStatus, GameStatus::Playing);
    }
}

TEST_F(FirstHour, BreakDuringAThinkStopsTheGameAndTheThink)
{
    auto stop = std::make_shared<std::atomic<bool>>(false);
    FixedEngine(0, 0);
    EngineCalls().SetStop = [stop](bool s) { *stop = s; };
    EngineCalls().OnFindMove = [stop](int, unsigned int *m, int *r) {
        for (int i = 0; i < 5000 && !*stop; ++i) // five seconds at most
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        *m = PackEngineMove(6, 2, 6, 3, 121, false, true);
        *r = EngineResult::Move;
    };
    Trigger(GameNew); // the computer plays second
    Drag(2, 6, 2, 5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GameFlow().thread.IsRunning(); }, 3000));
    EXPECT_TRUE(Enabled(GameBreak));
    Trigger(GameBreak);
    EXPECT_EQ(g_byGameStatus, GameStatus::Stopped);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !doc->GameFlow().thread.IsRunning(); }, 1000));
    QTest::qWait(300);
    EXPECT_EQ(doc->GetKiboNum(), 1) << "the abandoned think is not played";
}

TEST_F(FirstHour, MarksRefusalsAndTheKingInCheck)
{
    NewHumanGame();
    Position();
    const auto red = [this] {
        const QPoint corner = board->CellCenter(4, 8) - QPoint(board->Geometry().w / 2 - 3, 0);
        return board->BoardPixmap().toImage().pixelColor(corner) == QColor(220, 0, 0);
    };
    EXPECT_FALSE(red());
    Position("3lkl3/9/3G1G3/9/9/9/4+r4/9/4K4 b P"); // a dragon checks the bottom king
    EXPECT_TRUE(red()) << "the king in check is marked";
    const auto marked = [this] {
        return std::set<int>(board->m_Way, board->m_Way + board->m_byWayNum);
    };
    QTest::mousePress(board, Qt::LeftButton, {}, board->CellCenter(4, 8));
    EXPECT_EQ(marked(), (std::set<int>{38, 58}));
    QTest::mouseRelease(board, Qt::LeftButton, {}, board->CellCenter(4, 7));
    EXPECT_EQ(app->StatusMessage(), JStr(JC_RefuseKingLeftInCheck));
    QTest::mousePress(board, Qt::LeftButton, {}, board->DaiKomaCenter(1, 1));
    EXPECT_EQ(marked(), std::set<int>{47}) << "only the drop that blocks the check";
    QTest::mouseRelease(board, Qt::LeftButton, {}, board->CellCenter(4, 1));
    EXPECT_EQ(app->StatusMessage(), JStr(JC_RefuseKingLeftInCheck));
    EXPECT_EQ(doc->GetKiboNum(), 0);
    Position(); // now the pawn would mate
    TestBoxes::Reset();
    QTest::mousePress(board, Qt::LeftButton, {}, board->DaiKomaCenter(1, 1));
    QTest::mouseRelease(board, Qt::LeftButton, {}, board->CellCenter(4, 1));
    EXPECT_EQ(app->StatusMessage(), JStr(JC_RefusePawnDropMate));
    EXPECT_TRUE(TestBoxes::texts.empty());
    EXPECT_EQ(doc->GetKiboNum() * 10 + doc->GetFirstPlayer()->GetDaiNum(1), 1) << "nothing moved";
}

TEST_F(FirstHour, RecordWindowStaysBesideTheBoardAtAnySize)
{
    const auto placed = [this] {
        const QRect kibo = app->GetBGKibo()->geometry().translated(-app->getView()->pos());
        bool ok = app->getView()->rect().contains(kibo) && app->GetBGKibo()->isVisible();
        for (const QRect &taken : app->getView()->BoardAndStands())
            ok = ok && !taken.intersects(kibo);
        return ok;
    };
    for (const QSize size : {QSize(1200, 900), QSize(900, 650), QSize(1600, 1000)}) {
        app->resize(size);
        QTest::qWait(50);
        EXPECT_TRUE(placed()) << size.width();
        Trigger(ViewRecord);
        Trigger(ViewRecord);
        EXPECT_TRUE(placed()) << size.width() << " after the View toggle";
    }
}

TEST_F(FirstHour, HelpAndQtTexts)
{
    Trigger(HelpTopic);
    ASSERT_TRUE(app->HelpWindow() && app->HelpWindow()->isVisible());
    EXPECT_FALSE(app->HelpWindow()->Browser()->toPlainText().isEmpty());
    EXPECT_TRUE(TestDesktop::openedUrls.empty() && TestBoxes::texts.empty());
    ASSERT_TRUE(InstallQtTranslations(*qApp, QStringLiteral("ja")));
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    InstallQtTranslations(*qApp, QStringLiteral("en"));
}

TEST_F(FirstHour, ResignationRecordRowsAndTheFirstMoverAfterEditing)
{
    app->SetConfirmResign(true);
    NewHumanGame();
    Drag(2, 6, 2, 5);
    Trigger(GameResign); // asked, answered No
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
    Trigger(GameBreak);
    QTest::mouseClick(app->GetBGKibo()->InfoWidget()->KiboWidget(), Qt::LeftButton, {},
                      QPoint(5, 5));
    EXPECT_EQ(doc->GetBoardInfo(2, 6), 111) << "the start is shown";
    TestBoxes::answers = {BoxAnswer::No, BoxAnswer::Yes, BoxAnswer::No}; // the second moves first
    Trigger(GameEditBoard);
    Trigger(GameResume);
    ASSERT_EQ(doc->GetCurPlayer(), 2);
    Drag(6, 2, 6, 3);
    app->openDocumentFile(Saved());
    EXPECT_EQ(doc->GetKiboNum(), 1) << "and the record reads back";
}

} // namespace
