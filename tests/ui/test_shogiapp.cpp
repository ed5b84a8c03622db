#include "appfixture.h"
#include "cbgkibo.h"
#include "cboardframe.h"
#include "cplayer.h"
#include "docfixture.h"
#include "gameflow.h"
#include "language.h"
#include "shogi.h"
#include "shogidoc.h"
#include "shogiview.h"
#include "uitest.h"

#include <KToolBar>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

TEST_F(App, StartUpState)
{
    EXPECT_EQ(app->windowTitle(), JStr(JC_Korvane) + QStringLiteral(": ") + JStr(JC_Untitled));
    EXPECT_EQ(g_byGameStatus, GameStatus::Start);
    EXPECT_EQ(app->StatusMessage(), JStr(JC_KiboStart));
    for (int id : {10010, 10050, 11010, 11060, 13020, 13030, 13040, 14010, 14040, 14020, 14050,
                   15020, 15010})
        EXPECT_TRUE(Enabled(id)) << id;
    for (int id : {10020, 10030, 11020, 11030, 11040, 11050, 11070, 12010, 12020, 12030, 12040,
                   12050, 12060, 13010})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(app->Command(13040)->isChecked());
    EXPECT_TRUE(doc->IsMustWait()) << "no game yet: the board takes no input";
    EXPECT_EQ(doc->GetBoardInfo(4, 8), 118);
    // The record window lies over the right-hand column, between the stands.
    const BoardGeometry &g = board->Geometry();
    const QRect kibo = app->GetBGKibo()->geometry();
    EXPECT_EQ(kibo.topLeft(), app->getView()->pos() + QPoint(g.firstDaiX, g.secondDaiY));
    EXPECT_EQ(kibo.width(), g.daiWidth);
    EXPECT_EQ(kibo.height(), g.firstDaiY - g.secondDaiY - 10);
}

TEST_F(App, GameMenuInOrderWithItsKeys)
{
    QStringList game;
    for (QAction *a : app->Menu(1)->actions())
        game << (a->isSeparator() ? QStringLiteral("-") : QString::number(a->data().toInt()));
    EXPECT_EQ(game.join(QLatin1Char(' ')),
              QStringLiteral("11010 11020 11030 - 11040 11050 16210 11060 11070 - 16100 16101 "
                             "16102 - 16300 16310 16320"));
    EXPECT_EQ(app->Command(11010)->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_FALSE(app->Command(11010)->icon().isNull());
    EXPECT_TRUE(app->Command(11070)->isCheckable());
}

TEST_F(App, ToolBarPressShowsHelpUntilTimeout)
{
    KToolBar *bar = app->toolBar(QStringLiteral("mainToolBar"));
    auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(app->Command(11010)));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->size(), QSize(45, 45));
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_EQ(app->StatusMessage(), JStr(JC_StaGameNewGame));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return app->StatusMessage() == JStr(JC_KiboStart); }, 5000));
    // A menu highlight shows the same kind of help.
    emit app->Menu(4)->hovered(app->Command(14040));
    EXPECT_EQ(app->StatusMessage(), JStr(JC_StaViewControlBar));
}

TEST_F(App, OneActionPerCommandInMenuAndToolBar)
{
    KToolBar *control = app->toolBar(QStringLiteral("controlToolBar"));
    QWidget *button = control->widgetForAction(app->Command(12050));
    ASSERT_NE(button, nullptr);
    app->enableCommand(12050);
    EXPECT_TRUE(button->isEnabled());
    app->disableCommand(12050);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(app->Command(12050)->isEnabled());
}

TEST_F(App, HumanMoveThenComputerReply)
{
    // The second player (computer) answers with the pawn (6, 2) to (6, 3).
    FixedEngine(PackEngineMove(6, 2, 6, 3, 121, false, true), EngineResult::Move);
    app->Command(11010)->trigger();
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
    EXPECT_TRUE(Enabled(11020));
    EXPECT_FALSE(doc->IsMustWait());
    Drag(2, 6, 2, 5);
    ASSERT_EQ(doc->GetKiboNum(), 1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboNum() == 2; }, 5000));
    EXPECT_EQ(doc->GetBoardInfo(6, 3), 121);
    EXPECT_EQ(doc->GetCurPlayer(), 1);
    EXPECT_EQ(app->GetBGKibo()->ItemNum(), 3);
    ASSERT_TRUE(QTest::qWaitFor([this] { return g_byGameStatus == GameStatus::Playing; }));
    EXPECT_TRUE(Enabled(11040)) << "take back after the reply";
    EXPECT_TRUE(Enabled(11050));
    EXPECT_EQ(app->StatusMessage(), JStr(JC_MSGFirstPlayerOrder));
}

TEST_F(App, PawnDropMateEndsTheGameOnce)
{
    FixedEngine(0, EngineResult::PawnDropMate);
    app->Command(11010)->trigger();
    Drag(2, 6, 2, 5);
    ASSERT_TRUE(QTest::qWaitFor([] { return g_byGameStatus == GameStatus::Stopped; }, 5000));
    QTest::qWait(400); // several ticks of both timers
    EXPECT_EQ(TestBoxes::Count(JC_Utsifutumi), 1);
    EXPECT_EQ(g_byGameStatus, GameStatus::Stopped);
    EXPECT_FALSE(doc->IsComputerMoveing());
    EXPECT_EQ(doc->GetKiboNum(), 1);
    EXPECT_EQ(doc->GetKiboTestPos(), 0) << "the record can be stepped";
    EXPECT_TRUE(Enabled(12020));
    EXPECT_TRUE(Enabled(11030));
    EXPECT_FALSE(Enabled(11020));
}

// The computer's claim of a win ends the game only when the rules find no
// reply; its move is recorded either way.
TEST_F(App, ComputerWinClaimIsJudgedByTheRules)
{
    const struct
    {
        const char *name, *sfen;
        int humanFrom[2], humanTo[2];
        unsigned int computerMove;
        bool mate;
    } cases[] = {
        // Gold 9h, guarded by the lance on file 9: the king in the corner is mated.
        {"mate",
         "l3k4/9/9/9/9/9/g7P/9/K8 b - 1",
         {8, 6},
         {8, 5},
         PackEngineMove(0, 6, 0, 7, 125, false, true),
         true},
        // A pawn push claimed as a win in the opening.
        {"false claim",
         nullptr,
         {2, 6},
         {2, 5},
         PackEngineMove(6, 2, 6, 3, 121, false, true),
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TestBoxes::Reset();
        doc->setModified(false);
        FixedEngine(c.computerMove, EngineResult::ComputerWins);
        app->Command(11010)->trigger();
        if (c.sfen) {
            ASSERT_EQ(SetSfen(*doc, c.sfen), "");
            board->RedrawAll();
        }
        Drag(c.humanFrom[0], c.humanFrom[1], c.humanTo[0], c.humanTo[1]);
        // The move is shown lifted for a moment; the end is announced after.
        ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboNum() == 2; }, 5000));
        QTest::qWait(300);
        EXPECT_EQ(TestBoxes::texts.size(), c.mate ? 1u : 0u) << "announced once";
        EXPECT_EQ(doc->GetEnding(), c.mate ? GameEnding::Mate : GameEnding::None);
        EXPECT_EQ(doc->GetKiboNum(), 2);
        EXPECT_EQ(g_byGameStatus == GameStatus::Playing, !c.mate);
        app->slotGameBreak();
    }
}

TEST_F(App, ResignationNamesTheWinner)
{
    app->Command(11010)->trigger();
    app->Command(11050)->setEnabled(true);
    app->Command(11050)->trigger();
    EXPECT_EQ(TestBoxes::Count(JC_KorvaneWin), 1) << "the computer, second player, wins";
    EXPECT_EQ(g_byGameStatus, GameStatus::Resigned);
    EXPECT_EQ(app->StatusMessage(), JStr(JC_StaGameBreak));
    EXPECT_EQ(doc->GetKiboNum(), 1);
    EXPECT_TRUE(doc->IsMustWait());
    TestBoxes::Reset();
    doc->GetSecondPlayer()->SetProperty(1);
    app->Command(11010)->trigger();
    Drag(2, 6, 2, 5);
    app->Command(11050)->trigger(); // the second player resigns
    EXPECT_EQ(TestBoxes::Count(JC_MSGFirstWin), 1);
}

TEST_F(App, StatusBarFieldsAndTurningTheBoard)
{
    app->Command(11010)->trigger();
    EXPECT_EQ(app->FieldText(0), JStr(JC_StaFirstDown));
    EXPECT_EQ(app->FieldText(1), JStr(JC_Human) + QStringLiteral(":") + JStr(JC_Computer));
    EXPECT_EQ(app->FieldText(2), JStr(JC_Pyongsu));
    EXPECT_EQ(app->FieldText(3), QStringLiteral("00:00"));
    Drag(2, 6, 2, 5);
    app->Command(13040)->trigger();
    EXPECT_FALSE(app->Command(13040)->isChecked());
    EXPECT_TRUE(doc->GetFirstUp());
    EXPECT_EQ(app->FieldText(0), JStr(JC_StaFirstUp));
    EXPECT_EQ(doc->GetBoardInfo(6, 3), 111) << "the board turned round";
    EXPECT_EQ(board->m_byKomaPosX, 6) << "and the marker with it";
    EXPECT_EQ(board->m_byKomaPosY, 3);
    EXPECT_EQ(board->Geometry().firstDaiY, board->Geometry().startY1);
}

TEST_F(App, SoundWithoutADeviceIsSkipped)
{
    doc->SetOSSound(true);
    app->PlaySoundPutKoma();
    app->PlaySoundPutKoma();
    app->Command(11010)->trigger();
    Drag(2, 6, 2, 5);
    EXPECT_EQ(doc->GetKiboNum(), 1);
}

TEST_F(App, QuittingWhileTheComputerThinks)
{
    std::atomic<bool> finished{false};
    EngineCalls().UpdateBoard = [](const CEnginePosition &) {};
    EngineCalls().OnFindMove = [&finished](int, unsigned int *m, int *r) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        *m = PackEngineMove(6, 2, 6, 3, 121, false, true);
        *r = 0;
        finished = true;
    };
    app->Command(11010)->trigger();
    Drag(2, 6, 2, 5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->IsComputerMoveing(); }, 2000));
    delete app.data();
    EXPECT_TRUE(finished) << "closing waits for the think instead of leaving it running";
}

TEST_F(App, StartingPositionPicture)
{
    // Human against human: no computer move may move the marker meanwhile.
    app->getDocument()->GetSecondPlayer()->SetProperty(1);
    app->Command(11010)->trigger();
    QTest::qWait(50);
    if (const QByteArray path = qgetenv("KORVANE_SCREENSHOT"); !path.isEmpty())
        app->grab().save(QString::fromLocal8Bit(path));
    const QPoint probe = board->CellCenter(2, 5) + QPoint(-20, -30);
    EXPECT_NE(board->BoardPixmap().toImage().pixelColor(probe), QColor(100, 150, 0));
    Drag(2, 6, 2, 5);
    QTest::qWait(50);
    const QImage shot = app->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    // The last-move marker is in the window's picture.
    EXPECT_EQ(shot.pixelColor(board->mapTo(app, probe)), QColor(100, 150, 0));
}

} // namespace
