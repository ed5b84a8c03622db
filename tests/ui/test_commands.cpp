#include "appfixture.h"
#include "cbgkibo.h"
#include "commandid.h"
#include "language.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QRadioButton>
#include <string>
#include <utility>

namespace {

using namespace cmd;

class Commands : public App
{
protected:
    // The game and record commands enabled now, by short name in a fixed order.
    std::string On()
    {
        static const std::pair<int, const char *> kNames[] = {
            {FileSave, "save"},        {FileSaveAs, "saveas"},     {GameBreak, "break"},
            {GameResume, "resume"},    {GameRetract, "takeback"},  {GameResign, "resign"},
            {GameEditBoard, "edit"},   {GameEditRemove, "remove"}, {RecordFirst, "first"},
            {RecordBack, "back"},      {RecordLast, "last"},       {RecordForward, "forward"},
            {RecordReplay, "replay"},  {RecordStopReplay, "stop"}, {SettingGame, "game"}};
        std::string on;
        for (const auto &[id, name] : kNames)
            if (Enabled(id))
                on += (on.empty() ? "" : " ") + std::string(name);
        return on;
    }
    // Three moves of a human game, then stopped.
    void ThreeMovesStopped()
    {
        NewHumanGame();
        Drag(2, 6, 2, 5);
        Drag(6, 2, 6, 3);
        Drag(7, 6, 7, 5);
        ASSERT_EQ(doc->GetKiboNum(), 3);
        Trigger(GameBreak);
    }
    void WaitStep()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !app->IsForwardStepPending(); }, 5000));
    }
};

TEST_F(Commands, StatesFromTheStartThroughBreakResumeAndResign)
{
    EXPECT_EQ(app->windowTitle(), JStr(JC_Korvane) + QStringLiteral(": ") + JStr(JC_Untitled));
    EXPECT_EQ(app->StatusMessage(), JStr(JC_KiboStart));
    EXPECT_TRUE(doc->IsMustWait()) << "no game yet: the board takes no input";
    EXPECT_TRUE(app->Command(SettingFirstUp)->isChecked());
    for (int id : {FileOpen, FileExit, GameNew, SettingOther, SettingShowMoves, SettingFirstUp,
                   ViewToolBar, ViewControlBar, ViewStatusBar, ViewRecord, HelpTopic, HelpAbout})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ(On(), "edit");
    NewHumanGame();
    EXPECT_EQ(On(), "saveas break");
    Drag(2, 6, 2, 5);
    Drag(6, 2, 6, 3);
    EXPECT_EQ(On(), "save saveas break takeback resign game");
    Trigger(GameRetract); // between humans one move goes back
    EXPECT_EQ(Game(), "playing, 1 in the record, second to move");
    EXPECT_EQ(doc->GetBoardInfo(6, 2), 121);
    Trigger(GameBreak);
    EXPECT_EQ(Game(), "stopped, 1 in the record, second to move");
    EXPECT_EQ(On(), "save saveas resume edit first back game");
    Trigger(GameResume);
    EXPECT_EQ(Game(), "playing, 1 in the record, second to move");
    EXPECT_EQ(On(), "save saveas break takeback resign game");
    Trigger(GameResign); // the second player's
    EXPECT_EQ(Game(), "resigned, 2 in the record, first to move");
    EXPECT_EQ(TestBoxes::Count(JC_MSGFirstWin), 1);
    EXPECT_EQ(On(), "save saveas resume edit first back game");
}

// A forward step first marks the piece to move, a second press completes it;
// a replay runs to the end; editing starts from the board on screen.
TEST_F(Commands, SteppingReplayAndEditing)
{
    ThreeMovesStopped();
    Trigger(RecordFirst);
    EXPECT_EQ(doc->GetKiboTestPos(), -1);
    EXPECT_EQ(doc->GetBoardInfo(2, 6), 111) << "the board is back at the start";
    EXPECT_EQ(On(), "save saveas resume edit last forward replay game");
    Trigger(RecordForward);
    EXPECT_TRUE(app->IsForwardStepPending());
    EXPECT_EQ(doc->GetKiboTestPos(), -1) << "the step waits a second";
    EXPECT_EQ(board->m_byKomaPosX, 2) << "while the piece to move is marked";
    EXPECT_EQ(board->m_byKomaPosY, 6);
    Trigger(RecordForward); // completes the waiting step at once, then waits with its own
    EXPECT_EQ(doc->GetKiboTestPos(), 0);
    WaitStep();
    EXPECT_EQ(doc->GetKiboTestPos(), 1);
    EXPECT_EQ(On(), "save saveas resume edit first back last forward replay game");
    Trigger(RecordReplay);
    EXPECT_EQ(g_byGameStatus, GameStatus::AutoReplay);
    EXPECT_EQ(On(), "save saveas resume first back last forward stop game");
    Trigger(RecordStopReplay);
    EXPECT_EQ(g_byGameStatus, GameStatus::Stopped);
    EXPECT_EQ(On(), "save saveas resume edit first back last forward replay game");
    WaitStep();
    doc->SetKiboSpeed(4);
    Trigger(RecordReplay);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboTestPos() == 2; }, 10000));
    EXPECT_EQ(g_byGameStatus, GameStatus::Stopped);
    EXPECT_EQ(g_byAutoTemp, 100);
    EXPECT_EQ(doc->GetBoardInfo(7, 5), 111);
    EXPECT_EQ(app->GetBGKibo()->CurPos(), 3);
    EXPECT_EQ(On(), "save saveas resume edit first back game");
    TestBoxes::answers = {BoxAnswer::No, BoxAnswer::Yes}; // not saved; the record goes
    Trigger(GameEditBoard);
    EXPECT_EQ(Game(), "editing, 0 in the record, second to move");
    EXPECT_EQ(On(), "saveas resume remove game");
    EXPECT_EQ(doc->GetBoardInfo(7, 5), 111) << "editing starts from the current board";
}

// The computer's reply comes by itself; a take-back removes it with the move before.
TEST_F(Commands, ComputerRepliesAndATakeBackRemovesTwoEntries)
{
    ScriptedEngine({PackEngineMove(6, 2, 6, 3, 121, false, true),
                    PackEngineMove(5, 2, 5, 3, 121, false, true)});
    Trigger(GameNew);
    EXPECT_FALSE(doc->IsMustWait());
    Drag(2, 6, 2, 5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboNum() == 2; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Enabled(GameRetract); }, 5000));
    EXPECT_EQ(Game(), "playing, 2 in the record, first to move");
    EXPECT_EQ(doc->GetBoardInfo(6, 3), 121);
    EXPECT_EQ(On(), "save saveas break takeback resign game");
    EXPECT_EQ(app->StatusMessage(), JStr(JC_MSGFirstPlayerOrder));
    Drag(7, 6, 7, 5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboNum() == 4; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Enabled(GameRetract); }, 5000));
    Trigger(GameRetract);
    EXPECT_EQ(Game(), "playing, 2 in the record, first to move") << "the human moves again";
    EXPECT_EQ(doc->GetBoardInfo(7, 6), 111);
    EXPECT_EQ(doc->GetBoardInfo(5, 2), 121);
    EXPECT_EQ(app->GetBGKibo()->ItemNum(), 3);
    Trigger(GameRetract);
    EXPECT_EQ(Game(), "playing, 0 in the record, first to move");
    EXPECT_EQ(doc->GetBoardInfo(2, 6), 111);
    EXPECT_EQ(On(), "save saveas break resign game");
    EXPECT_EQ(app->GetBGKibo()->ItemNum(), 1);
}

// Resuming before the end asks, then cuts the record where the board stands
// (a resignation, or a forward step under way, goes too) and plays on.
TEST_F(Commands, ResumeCutsTheRecordWhereTheBoardStands)
{
    ThreeMovesStopped();
    Trigger(RecordBack);
    Trigger(RecordBack);
    ASSERT_EQ(doc->GetKiboTestPos(), 0);
    Trigger(GameResume); // answered No
    EXPECT_EQ(TestBoxes::Count(JC_MSGSureReplay), 1);
    EXPECT_EQ(Game(), "stopped, 3 in the record, second to move") << "No leaves the record";
    TestBoxes::answers = {BoxAnswer::Yes};
    Trigger(GameResume);
    EXPECT_EQ(Game(), "playing, 1 in the record, second to move");
    EXPECT_EQ(doc->GetKibo()->size(), 1);
    EXPECT_EQ(app->GetBGKibo()->ItemNum(), 2);
    Drag(6, 2, 6, 3);
    ASSERT_EQ(doc->GetKiboNum(), 2) << "play goes on from the cut";

    Trigger(GameResign); // the first player resigns
    Trigger(RecordBack);
    TestBoxes::answers = {BoxAnswer::Yes};
    Trigger(GameResume);
    EXPECT_EQ(Game(), "playing, 2 in the record, first to move");
    EXPECT_EQ(app->GetBGKibo()->ItemNum(), 3);

    Trigger(GameBreak);
    Trigger(RecordFirst);
    Trigger(RecordForward);
    TestBoxes::answers = {BoxAnswer::Yes};
    Trigger(GameResume);
    EXPECT_FALSE(app->IsForwardStepPending());
    EXPECT_EQ(doc->GetBoardInfo(2, 5), 111) << "the step under way was made";
    QTest::qWait(1200);
    EXPECT_EQ(doc->GetBoardInfo(6, 2), 121) << "and is not made twice";
    EXPECT_EQ(Game(), "playing, 1 in the record, second to move");
}

// Each refusal comes before the later rules are looked at, so a refusal also
// shows the edits before it were accepted.
TEST_F(Commands, EditedPositionsThatCannotBePlayedAreRefused)
{
    Trigger(GameEditBoard);
    const auto resume = [this]() -> const char * {
        TestBoxes::Reset();
        TestBoxes::answers = {BoxAnswer::Yes}; // the first player moves first
        Trigger(GameResume);
        for (const char *t : {JC_MSGUnMoveKoma, JC_MSGTwoBo, JC_MSGAlreadyOte})
            if (TestBoxes::Count(t))
                return t;
        return nullptr;
    };
    doc->SetBoardInfo(0, 0, 111); // a pawn on its last row
    EXPECT_EQ(resume(), JC_MSGUnMoveKoma);
    doc->SetBoardInfo(0, 0, 0);
    doc->SetBoardInfo(1, 7, 123); // the second player's knight on its last two rows
    EXPECT_EQ(resume(), JC_MSGUnMoveKoma);
    doc->SetBoardInfo(1, 7, 223); // promoted, it moves like a gold
    doc->SetBoardInfo(2, 4, 111); // two unpromoted pawns in a column
    EXPECT_EQ(resume(), JC_MSGTwoBo);
    doc->SetBoardInfo(2, 4, 211); // a promoted pawn no longer counts
    doc->SetBoardInfo(3, 2, 0);
    doc->SetBoardInfo(3, 4, 121); // one pawn of each side in a column
    doc->SetBoardInfo(4, 2, 0);
    doc->SetBoardInfo(4, 4, 117); // a rook facing the second player's king
    EXPECT_EQ(resume(), JC_MSGAlreadyOte);
    EXPECT_EQ(Game(), "editing, 0 in the record, first to move");
    doc->SetBoardInfo(4, 4, 0);
    EXPECT_EQ(resume(), nullptr);
    EXPECT_EQ(Game(), "playing, 0 in the record, first to move");
}

TEST_F(Commands, EditedPositionIsTheRecordsStartWithTheFirstPlayerToMove)
{
    Trigger(GameEditBoard);
    doc->SetBoardInfo(4, 6, 0);
    doc->GetFirstPlayer()->SetDaiNum(1, 1); // the pawn goes to the hand
    doc->SetCurPlayer(2);
    Trigger(GameEditRemove);
    EXPECT_EQ(g_byGameStatus, GameStatus::Removing);
    TestBoxes::answers = {BoxAnswer::Yes}; // the first player moves first
    Trigger(GameResume);
    EXPECT_EQ(Game(), "playing, 0 in the record, first to move");
    EXPECT_EQ(doc->GetInitBoardInfo(4, 6), 0) << "the edited board is the record's start";
    EXPECT_EQ(doc->GetFirstPlayer()->GetDaiNumF(1), 1);
    EXPECT_FALSE(app->Command(GameEditRemove)->isChecked());
    EXPECT_EQ(On(), "saveas break resign");
}

// ---------------------------------------------------------------- dialogs

// During a game a cancelled (or closed) new-game dialog changes nothing, and
// the game's settings keep the handicap.
TEST_F(Commands, DialogsDuringAGameKeepItsHandicap)
{
    FixedEngine(PackEngineMove(6, 2, 6, 3, 121, false, true), EngineResult::Move);
    Trigger(GameNew);
    Drag(2, 6, 2, 5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboNum() == 2; }, 5000));
    TestDesktop::dialogActions = {[](QDialog *d) {
                                      Child<QRadioButton>(d, "m_rdoFirstComputer")->click();
                                      TestDesktop::Click(d, "m_bntCancel");
                                  },
                                  [](QDialog *d) { d->reject(); }};
    Trigger(GameNew);
    Trigger(GameNew);
    EXPECT_EQ(Game(), "playing, 2 in the record, first to move");
    EXPECT_EQ(doc->GetFirstPlayer()->GetProperty(), 1);
    ASSERT_TRUE(Enabled(SettingGame));
    doc->SetTeai(0);
    bool teaiEnabled = true;
    TestDesktop::dialogActions.push_back([&](QDialog *d) {
        teaiEnabled = Child<QComboBox>(d, "m_cbxTeai")->isEnabled();
        Child<QComboBox>(d, "m_cbxComputerLevel")->setCurrentIndex(2);
        TestDesktop::Click(d, "m_bntOK");
    });
    Trigger(SettingGame);
    EXPECT_FALSE(teaiEnabled);
    EXPECT_EQ(doc->GetComputerLevel(), 2);
    EXPECT_EQ(doc->GetTeai(), 0);
}

TEST_F(Commands, NewGameDialogHumanAgainstHumanGreysTheLevel)
{
    bool afterHuman = true, afterComputer = true, secondHumanChecked = true;
    TestDesktop::dialogActions.push_back([&](QDialog *d) {
        auto *level = Child<QComboBox>(d, "m_cbxComputerLevel");
        EXPECT_TRUE(level->isEnabled());
        EXPECT_TRUE(Child<QComboBox>(d, "m_cbxTeai")->isEnabled()) << "a new game";
        Child<QRadioButton>(d, "m_rdoSecondHuman")->click();
        afterHuman = level->isEnabled();
        Child<QRadioButton>(d, "m_rdoSecondComputer")->click();
        afterComputer = level->isEnabled();
        secondHumanChecked = Child<QRadioButton>(d, "m_rdoSecondHuman")->isChecked();
        Child<QRadioButton>(d, "m_rdoKomaOne")->click();
        Child<QComboBox>(d, "m_cbxTeai")->setCurrentIndex(3);
        TestDesktop::Click(d, "m_bntOK");
    });
    Trigger(GameNew);
    EXPECT_FALSE(afterHuman);
    EXPECT_FALSE(afterComputer) << "stays grey until the dialog is opened anew";
    EXPECT_FALSE(secondHumanChecked);
    EXPECT_EQ(doc->GetSecondPlayer()->GetProperty(), 2);
    EXPECT_FALSE(doc->GetStandardKoma());
    EXPECT_EQ(doc->GetTeai(), 3);
    EXPECT_EQ(doc->GetBoardInfo(7, 7), 0) << "the rook is gone from the set-up";
    EXPECT_EQ(app->FieldText(2), JStr(JC_Bicazi));
}

// The options shown are the stored ones; OK keeps the changes, Cancel none;
// the replay factor is chosen only for the replay as played.
TEST_F(Commands, OtherSettingsDialogShowsAndStoresTheOptions)
{
    doc->SetKiboProperty(2);
    doc->SetKiboSpeed(1);
    doc->SetOSDan(false);
    bool shownLast = false, shownDan = true, factorEnabled = true;
    int shownSpeed = -1;
    TestDesktop::dialogActions.push_back([&](QDialog *d) {
        shownLast = Child<QRadioButton>(d, "m_rdoOpenLast")->isChecked();
        shownSpeed = Child<QComboBox>(d, "m_cbxReplaySpeed")->currentIndex();
        shownDan = Child<QCheckBox>(d, "m_chkDanView")->isChecked();
        factorEnabled = Child<QComboBox>(d, "m_cbxReplayFactor")->isEnabled();
        Child<QRadioButton>(d, "m_rdoAutoReplay")->click();
        Child<QComboBox>(d, "m_cbxReplaySpeed")->setCurrentIndex(5); // as played
        Child<QComboBox>(d, "m_cbxReplayFactor")->setCurrentIndex(2);
        Child<QCheckBox>(d, "m_chkSound")->setChecked(true);
        Child<QCheckBox>(d, "m_chkSuView")->setChecked(false);
        TestDesktop::Click(d, "m_bntOK");
    });
    Trigger(SettingOther);
    EXPECT_TRUE(shownLast);
    EXPECT_EQ(shownSpeed, 1);
    EXPECT_FALSE(shownDan);
    EXPECT_FALSE(factorEnabled) << "the factor is for the replay as played";
    EXPECT_EQ(doc->GetKiboProperty(), 3);
    EXPECT_TRUE(doc->GetOSSound());
    EXPECT_FALSE(doc->GetOSBeforeSu());
    TestDesktop::dialogActions.push_back([](QDialog *d) {
        Child<QRadioButton>(d, "m_rdoOpenFirst")->click();
        TestDesktop::Click(d, "m_bntCancel");
    });
    Trigger(SettingOther);
    EXPECT_EQ(doc->GetKiboProperty(), 3);
    app->saveOptions();
    doc->SetKiboSpeed(0);
    app->SetReplayFactor(0);
    app->readOptions();
    EXPECT_EQ(doc->GetKiboSpeed() * 10 + app->GetReplayFactor(), 52) << "as played, five times";
}

} // namespace
