// What a new player meets in the first hour: files kept, finished games
// closed, break at any moment, marks and refusals, the record window, help,
// texts, and the small conveniences of play.
#include "appfixture.h"
#include "cbgkibo.h"
#include "cinfowidget.h"
#include "ckibowidget.h"
#include "gameending.h"
#include "helpwindow.h"
#include "language.h"
#include "moverules.h"
#include "qttranslations.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <functional>
#include <set>
#include <thread>

namespace {

class FirstHour : public App
{
protected:
    // Two kings, the first player's at the bottom, the first player to move.
    void KingsOnly()
    {
        NewHumanGame();
        for (BYTE x = 0; x < 9; ++x)
            for (BYTE y = 0; y < 9; ++y)
                doc->SetBoardInfo(x, y, 0);
        doc->SetBoardInfo(4, 8, 118);
        doc->SetBoardInfo(4, 0, 128);
        board->RedrawAll();
    }
    QByteArray Bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(FirstHour, EditingAnOpenedRecordAsksAndNeverWritesOverTheFile)
{
    const QString path = dir.filePath(QStringLiteral("game1.kvn"));
    NewHumanGame();
    Drag(2, 6, 2, 5);
    Drag(6, 2, 6, 3);
    ASSERT_TRUE(doc->saveDocument(path));
    const QByteArray saved = Bytes(path);
    app->openDocumentFile(path);
    EXPECT_TRUE(Enabled(10030)) << "a copy can be saved under a new name";
    Trigger(11060); // answered No
    EXPECT_EQ(TestBoxes::Count(JC_MsgEditNewGame), 1);
    EXPECT_EQ(doc->GetKiboNum(), 2);
    EXPECT_NE(g_byGameStatus, GameStatus::Editing);
    TestBoxes::answers = {BoxAnswer::Yes, BoxAnswer::Yes};
    Trigger(11060);
    EXPECT_EQ(doc->getTitle(), JStr(JC_Untitled));
    Trigger(11030);
    Drag(2, 5, 2, 4);
    Trigger(10020); // Save asks for a name; none given
    EXPECT_EQ(TestDesktop::fileCaptions, std::vector<QString>{JStr(JC_StaFileSaveAs)});
    EXPECT_EQ(Bytes(path), saved);
}

TEST_F(FirstHour, AFinishedGameIsNotResumedAtItsEnd)
{
    const struct
    {
        const char *how;
        std::function<void()> finish;
    } rows[] = {
        {"resigned", [this] { Trigger(11050); }},
        {"mated by a human",
         [this] {
             KingsOnly();
             for (int x : {3, 5}) {
                 doc->SetBoardInfo(BYTE(x), 0, 122); // the king hemmed in by its lances
                 doc->SetBoardInfo(BYTE(x), 2, 115);
             }
             doc->SetBoardInfo(4, 2, 115);
             Drag(4, 2, 4, 1);
             EXPECT_EQ(TestBoxes::Count(JC_MSGFirstWin), 1);
         }},
        {"mated by the computer",
         [this] { app->ProComputerMove(0, 0, 0, 0, 0, false, EngineResult::ComputerDefeated); }},
        {"record ending in a resignation",
         [this] {
             Trigger(11050);
             const QString path = dir.filePath(QStringLiteral("r.kvn"));
             ASSERT_TRUE(doc->saveDocument(path));
             app->openDocumentFile(path);
         }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.how);
        NewHumanGame();
        row.finish();
        ASSERT_NE(doc->GetEnding(), GameEnding::None);
        Trigger(12030);
        Trigger(11030);
        EXPECT_NE(g_byGameStatus, GameStatus::Playing);
        EXPECT_EQ(app->StatusMessage(), JStr(JC_MsgGameIsOver));
    }
}

TEST_F(FirstHour, BreakDuringAThinkStopsTheGameAndTheThink)
{
    auto stop = std::make_shared<std::atomic<bool>>(false);
    EngineCalls().UpdateBoard = [](const CEnginePosition &) {};
    EngineCalls().SetStop = [stop](bool s) { *stop = s; };
    EngineCalls().OnFindMove = [stop](int, unsigned int *m, int *r) {
        for (int i = 0; i < 5000 && !*stop; ++i) // never longer than five seconds
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        *m = PackEngineMove(6, 2, 6, 3, 121, false, true);
        *r = EngineResult::Move;
    };
    Trigger(11010); // the computer plays second
    Drag(2, 6, 2, 5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GameFlow().thread.IsRunning(); }, 3000));
    EXPECT_TRUE(Enabled(11020));
    Trigger(11020);
    EXPECT_EQ(g_byGameStatus, GameStatus::Stopped);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !doc->GameFlow().thread.IsRunning(); }, 1000));
    QTest::qWait(300);
    EXPECT_EQ(doc->GetKiboNum(), 1) << "the abandoned think is not played";
    EXPECT_EQ(doc->GetBoardInfo(6, 2), 121);
}

TEST_F(FirstHour, MarksShowOnlyLegalSquaresForBoardAndHandPieces)
{
    KingsOnly();
    doc->SetBoardInfo(4, 6, 227); // a dragon checking two squares ahead
    doc->GetFirstPlayer()->SetDaiNum(1, 1);
    const auto marked = [this] {
        return std::set<int>(board->m_Way, board->m_Way + board->m_byWayNum);
    };
    QTest::mousePress(board, Qt::LeftButton, {}, board->CellCenter(4, 8));
    EXPECT_EQ(marked(), (std::set<int>{38, 58}));
    QTest::mouseRelease(board, Qt::LeftButton, {}, board->CellCenter(0, 0));
    QTest::mousePress(board, Qt::LeftButton, {}, board->DaiKomaCenter(1, 1));
    EXPECT_EQ(marked(), std::set<int>{47}) << "only the drop that blocks the check";
    QTest::mouseRelease(board, Qt::LeftButton, {}, board->DaiKomaCenter(1, 1));
}

TEST_F(FirstHour, RefusedMovesSayWhyAndLeaveThePiece)
{
    const struct
    {
        int sx, sy, dx, dy; // sx 10: the pawn in hand
        const char *text;
    } rows[] = {
        {10, 0, 2, 4, JC_RefuseTwoPawns},    {10, 0, 4, 1, JC_RefusePawnDropMate},
        {10, 0, 0, 0, JC_RefuseDeadSquare},  {4, 8, 3, 7, JC_RefuseKingLeftInCheck},
        {4, 8, 4, 6, JC_RefuseNotReachable},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        KingsOnly();
        doc->SetBoardInfo(2, 6, 111);
        doc->SetBoardInfo(3, 0, 122); // the top king hemmed in, its flights held
        doc->SetBoardInfo(5, 0, 122);
        doc->SetBoardInfo(3, 2, 115);
        doc->SetBoardInfo(5, 2, 115);
        doc->SetBoardInfo(0, 7, 127); // the rook holds 3, 7 against the king
        doc->GetFirstPlayer()->SetDaiNum(1, 1);
        TestBoxes::Reset();
        const QPoint from =
            row.sx == 10 ? board->DaiKomaCenter(1, 1) : board->CellCenter(row.sx, row.sy);
        QTest::mousePress(board, Qt::LeftButton, {}, from);
        QTest::mouseMove(board, board->CellCenter(row.dx, row.dy));
        QTest::mouseRelease(board, Qt::LeftButton, {}, board->CellCenter(row.dx, row.dy));
        EXPECT_EQ(app->StatusMessage(), JStr(row.text));
        EXPECT_TRUE(TestBoxes::texts.empty());
        EXPECT_EQ(doc->GetKiboNum(), 0);
        EXPECT_EQ(doc->GetBoardInfo(4, 8), 118);
        EXPECT_EQ(doc->GetFirstPlayer()->GetDaiNum(1), 1);
    }
}

TEST_F(FirstHour, RecordWindowStaysBesideTheBoardAtAnySize)
{
    for (const QSize size :
         {QSize(1200, 900), QSize(900, 650), QSize(1600, 1000), QSize(1200, 900)}) {
        SCOPED_TRACE(size.width());
        app->resize(size);
        QTest::qWait(50);
        ShogiView *view = app->getView();
        const QRect kibo = app->GetBGKibo()->geometry().translated(-view->pos());
        EXPECT_TRUE(view->rect().contains(kibo));
        for (const QRect &taken : view->BoardAndStands())
            EXPECT_FALSE(taken.intersects(kibo));
        Trigger(14050);
        Trigger(14050);
        EXPECT_TRUE(app->GetBGKibo()->isVisible());
    }
}

TEST_F(FirstHour, HelpOpensInTheProgramsOwnWindow)
{
    Trigger(15020);
    ASSERT_TRUE(app->HelpWindow());
    EXPECT_TRUE(app->HelpWindow()->isVisible());
    EXPECT_FALSE(app->HelpWindow()->Browser()->toPlainText().isEmpty());
    EXPECT_TRUE(TestDesktop::openedUrls.empty());
    EXPECT_TRUE(TestBoxes::texts.empty());
}

TEST_F(FirstHour, QtTextsFollowTheLanguage)
{
    ASSERT_TRUE(InstallQtTranslations(*qApp, QStringLiteral("ja")));
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    InstallQtTranslations(*qApp, QStringLiteral("en"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

TEST_F(FirstHour, ClickedRecordRowShowsItsPosition)
{
    NewHumanGame();
    Drag(2, 6, 2, 5);
    Drag(6, 2, 6, 3);
    Trigger(11020);
    CKiboWidget *list = app->GetBGKibo()->InfoWidget()->KiboWidget();
    const int row = app->GetBGKibo()->InfoWidget()->ItemHeight();
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(5, row + row / 2));
    EXPECT_EQ(doc->GetKiboTestPos(), 0);
    EXPECT_EQ(doc->GetBoardInfo(6, 2), 121);
    EXPECT_EQ(doc->GetBoardInfo(2, 5), 111);
}

TEST_F(FirstHour, EditedPositionMayStartWithTheSecondPlayer)
{
    const QString path = dir.filePath(QStringLiteral("second.kvn"));
    Trigger(11060);
    TestBoxes::answers = {BoxAnswer::No}; // not the first player
    Trigger(11030);
    ASSERT_EQ(g_byGameStatus, GameStatus::Playing);
    EXPECT_EQ(doc->GetCurPlayer(), 2);
    doc->GetSecondPlayer()->SetProperty(1);
    Drag(6, 2, 6, 3);
    ASSERT_TRUE(doc->saveDocument(path));
    app->openDocumentFile(path);
    EXPECT_EQ(doc->GetKiboNum(), 1) << "the record reads back";
    EXPECT_EQ(doc->GetCurPlayer(), 1);
}

TEST_F(FirstHour, ResignationAsksFirstWhenTheOptionIsOn)
{
    app->SetConfirmResign(true);
    NewHumanGame();
    Trigger(11050); // answered No
    EXPECT_EQ(TestBoxes::Count(JC_MsgSureResign), 1);
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
    TestBoxes::answers = {BoxAnswer::Yes};
    Trigger(11050);
    EXPECT_EQ(g_byGameStatus, GameStatus::Resigned);
}

TEST_F(FirstHour, KingInCheckIsMarkedRed)
{
    KingsOnly();
    const QPoint corner =
        board->CellCenter(4, 8) - QPoint(board->Geometry().w / 2 - 3, board->Geometry().h / 2 - 3);
    const QColor before = board->BoardPixmap().toImage().pixelColor(corner);
    doc->SetBoardInfo(4, 4, 127); // a rook on the king's file
    board->RedrawAll();
    EXPECT_EQ(board->BoardPixmap().toImage().pixelColor(corner), QColor(220, 0, 0));
    EXPECT_NE(before, QColor(220, 0, 0));
}

} // namespace
