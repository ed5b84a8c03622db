#include "appfixture.h"
#include "commandid.h"
#include "docfixture.h"
#include "language.h"

#include <KToolBar>
#include <QMenu>
#include <QToolButton>

#include <chrono>
#include <thread>

namespace {

using namespace cmd;

// A tool-bar button is its command's one action; a press shows the command's
// help until a timeout, as a menu highlight does.
TEST_F(App, ToolBarButtonsShareTheCommandAndShowItsHelp)
{
    KToolBar *bar = app->toolBar(QStringLiteral("mainToolBar"));
    auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(app->Command(GameNew)));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->size(), QSize(45, 45));
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_EQ(app->StatusMessage(), JStr(JC_StaGameNewGame));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return app->StatusMessage() == JStr(JC_KiboStart); }, 5000));
    emit app->Menu(4)->hovered(app->Command(ViewControlBar));
    EXPECT_EQ(app->StatusMessage(), JStr(JC_StaViewControlBar));
    QWidget *replay = app->toolBar(QStringLiteral("controlToolBar"))
                          ->widgetForAction(app->Command(RecordReplay));
    ASSERT_NE(replay, nullptr);
    app->enableCommand(RecordReplay);
    EXPECT_TRUE(replay->isEnabled());
    app->disableCommand(RecordReplay);
    EXPECT_FALSE(replay->isEnabled());
}

// The computer's verdicts after the human's move: a pawn-drop mate stops the
// game with nothing played; a claim of a win ends it only when the rules find
// no reply, its move recorded either way. Each is announced once at most.
TEST_F(App, ComputerVerdictsAreJudgedByTheRules)
{
    const struct
    {
        const char *name, *sfen;
        int from[2], to[2]; // the human's move
        unsigned int word;
        int result, plies;
        const char *box; // how the one message starts, nullptr: none
        GameEnding ending;
        bool playing;
    } cases[] = {
        {"pawn-drop mate", nullptr, {2, 6}, {2, 5}, 0, EngineResult::PawnDropMate, 1,
         JC_Utsifutumi, GameEnding::IllegalMove, false},
        // Gold 9h, guarded by the lance on file 9: the king in the corner is mated.
        {"mate claimed", "l3k4/9/9/9/9/9/g7P/9/K8 b - 1", {8, 6}, {8, 5},
         PackEngineMove(0, 6, 0, 7, 125, false, true), EngineResult::ComputerWins, 2,
         JC_MsgEndMate, GameEnding::Mate, false},
        {"a pawn push claimed as a win", nullptr, {2, 6}, {2, 5},
         PackEngineMove(6, 2, 6, 3, 121, false, true), EngineResult::ComputerWins, 2, nullptr,
         GameEnding::None, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TestBoxes::Reset();
        doc->setModified(false);
        FixedEngine(c.word, c.result);
        Trigger(GameNew);
        if (c.sfen) {
            ASSERT_EQ(SetSfen(*doc, c.sfen), "");
            board->RedrawAll();
        }
        Drag(c.from[0], c.from[1], c.to[0], c.to[1]);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return doc->GetKiboNum() == c.plies &&
                       (g_byGameStatus == GameStatus::Playing) == c.playing;
            },
            5000));
        QTest::qWait(400); // several ticks of both timers: a second message would come now
        ASSERT_EQ(TestBoxes::texts.size(), c.box ? 1u : 0u);
        if (c.box) {
            EXPECT_TRUE(TestBoxes::texts[0].startsWith(JStr(c.box)));
        }
        EXPECT_EQ(doc->GetEnding(), c.ending);
        EXPECT_EQ(doc->GetKiboNum(), c.plies);
        EXPECT_EQ(g_byGameStatus == GameStatus::Playing, c.playing);
        EXPECT_FALSE(doc->IsComputerMoveing());
        if (!c.playing) {
            EXPECT_EQ(doc->GetKiboTestPos(), c.plies - 1) << "the record can be stepped";
            EXPECT_TRUE(Enabled(RecordBack) && Enabled(GameResume) && !Enabled(GameBreak));
        }
        app->slotGameBreak();
    }
}

TEST_F(App, ResignationNamesTheComputerAsWinner)
{
    Trigger(GameNew);
    app->Command(GameResign)->setEnabled(true);
    Trigger(GameResign);
    EXPECT_EQ(TestBoxes::Count(JC_KorvaneWin), 1) << "the computer, second player, wins";
    EXPECT_EQ(g_byGameStatus, GameStatus::Resigned);
    EXPECT_EQ(app->StatusMessage(), JStr(JC_StaGameBreak));
    EXPECT_EQ(doc->GetKiboNum(), 1);
    EXPECT_TRUE(doc->IsMustWait());
}

TEST_F(App, StatusBarFieldsAndTurningTheBoard)
{
    doc->SetOSSound(true); // there is no sound device: play goes on silently
    Trigger(GameNew);
    EXPECT_EQ(app->FieldText(0), JStr(JC_StaFirstDown));
    EXPECT_EQ(app->FieldText(1), JStr(JC_Human) + QStringLiteral(":") + JStr(JC_Computer));
    EXPECT_EQ(app->FieldText(2), JStr(JC_Pyongsu));
    EXPECT_EQ(app->FieldText(3), QStringLiteral("00:00"));
    Drag(2, 6, 2, 5);
    ASSERT_EQ(doc->GetKiboNum(), 1);
    Trigger(SettingFirstUp);
    EXPECT_FALSE(app->Command(SettingFirstUp)->isChecked());
    EXPECT_TRUE(doc->GetFirstUp());
    EXPECT_EQ(app->FieldText(0), JStr(JC_StaFirstUp));
    EXPECT_EQ(doc->GetBoardInfo(6, 3), 111) << "the board turned round";
    EXPECT_EQ(board->m_byKomaPosX, 6) << "and the marker with it";
    EXPECT_EQ(board->m_byKomaPosY, 3);
    EXPECT_EQ(board->Geometry().firstDaiY, board->Geometry().startY1);
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
    Trigger(GameNew);
    Drag(2, 6, 2, 5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->IsComputerMoveing(); }, 2000));
    delete app.data();
    EXPECT_TRUE(finished) << "closing waits for the think instead of leaving it running";
}

// The last-move marker is drawn on the board and reaches the window's picture.
TEST_F(App, LastMoveMarkerInTheWindowsPicture)
{
    NewHumanGame(); // no computer move may move the marker meanwhile
    QTest::qWait(50);
    const QPoint probe = board->CellCenter(2, 5) + QPoint(-20, -30);
    EXPECT_NE(board->BoardPixmap().toImage().pixelColor(probe), QColor(100, 150, 0));
    Drag(2, 6, 2, 5);
    QTest::qWait(50);
    const QImage shot = app->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.pixelColor(board->mapTo(app, probe)), QColor(100, 150, 0));
}

} // namespace
