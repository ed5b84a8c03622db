#include "appfixture.h"
#include "cbgkibo.h"
#include "language.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QRadioButton>
#include <initializer_list>
#include <set>

namespace {

class Commands : public App
{
protected:
    // The ids among `ids` whose state differs from `on`.
    std::set<int> Wrong(std::initializer_list<int> ids, bool on)
    {
        std::set<int> wrong;
        for (int id : ids)
            if (Enabled(id) != on)
                wrong.insert(id);
        return wrong;
    }
    // Three moves of a human game, then stopped.
    void ThreeMovesStopped()
    {
        NewHumanGame();
        Drag(2, 6, 2, 5);
        Drag(6, 2, 6, 3);
        Drag(7, 6, 7, 5);
        ASSERT_EQ(doc->GetKiboNum(), 3);
        Trigger(11020);
    }
    void WaitStep()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !app->IsForwardStepPending(); }, 5000));
    }
};

const std::set<int> None;

TEST_F(Commands, StatesOfNewGameBreakResignAndResume)
{
    NewHumanGame();
    EXPECT_EQ(Wrong({11020}, true), None);
    EXPECT_EQ(
        Wrong({11030, 11040, 11050, 13010, 11060, 11070, 12010, 12020, 12030, 12040, 12050, 12060},
              false),
        None);
    Drag(2, 6, 2, 5);
    EXPECT_EQ(Wrong({11040, 11050, 13010, 10020, 10030}, true), None);
    Trigger(11020);
    EXPECT_EQ(g_byGameStatus, GameStatus::Stopped);
    EXPECT_EQ(Wrong({11020, 11040, 11050}, false), None);
    EXPECT_EQ(Wrong({11060, 11030, 12010, 12020}, true), None);
    Trigger(11030);
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
    EXPECT_EQ(Wrong({11020, 11040, 11050}, true), None);
    EXPECT_EQ(Wrong({11030, 11060, 11070, 12010, 12020, 12030, 12040, 12050, 12060}, false), None);
    EXPECT_EQ(doc->GetCurPlayer(), 2);
    Trigger(11050);
    EXPECT_EQ(g_byGameStatus, GameStatus::Resigned);
    EXPECT_EQ(Wrong({11020, 11040, 11050}, false), None);
    EXPECT_EQ(Wrong({11030, 11060}, true), None);
}

TEST_F(Commands, StatesOfEditingSteppingAndReplay)
{
    ThreeMovesStopped();
    Trigger(12010);
    EXPECT_EQ(doc->GetKiboTestPos(), -1);
    EXPECT_EQ(doc->GetBoardInfo(2, 6), 111) << "the board is back at the start";
    EXPECT_EQ(doc->GetBoardInfo(6, 2), 121);
    EXPECT_EQ(Wrong({12010, 12020}, false), None);
    EXPECT_EQ(Wrong({12030, 12040, 11060, 12050}, true), None);
    Trigger(12050);
    EXPECT_EQ(g_byGameStatus, GameStatus::AutoReplay);
    EXPECT_EQ(Wrong({12050, 11060}, false), None);
    EXPECT_EQ(Wrong({12060}, true), None);
    Trigger(12060);
    EXPECT_EQ(g_byGameStatus, GameStatus::Stopped);
    EXPECT_EQ(Wrong({12060}, false), None);
    EXPECT_EQ(Wrong({11060, 12050}, true), None);
    WaitStep();
    Trigger(12030);
    EXPECT_EQ(doc->GetKiboTestPos(), 2);
    EXPECT_EQ(doc->GetBoardInfo(7, 5), 111);
    EXPECT_EQ(app->GetBGKibo()->CurPos(), 3);
    EXPECT_EQ(Wrong({12030, 12040, 12050, 12060}, false), None);
    EXPECT_EQ(Wrong({12010, 12020, 11060}, true), None);
    TestBoxes::answers = {BoxAnswer::No, BoxAnswer::Yes}; // not saved; the record goes
    Trigger(11060);
    EXPECT_EQ(g_byGameStatus, GameStatus::Editing);
    EXPECT_EQ(Wrong({11060, 12010, 12020, 12030, 12040, 12050, 12060}, false), None);
    EXPECT_EQ(Wrong({11070, 11030}, true), None);
    EXPECT_EQ(doc->GetKiboNum(), 0);
    EXPECT_EQ(doc->GetBoardInfo(7, 5), 111) << "editing starts from the current board";
}

TEST_F(Commands, ForwardStepShowsTheMoveFirstAndReplayRunsToTheEnd)
{
    ThreeMovesStopped();
    Trigger(12010);
    Trigger(12040);
    EXPECT_TRUE(app->IsForwardStepPending());
    EXPECT_EQ(doc->GetKiboTestPos(), -1) << "the step waits a second";
    EXPECT_EQ(board->m_byKomaPosX, 2) << "while the piece to move is marked";
    EXPECT_EQ(board->m_byKomaPosY, 6);
    Trigger(12040); // completes the waiting step at once, then waits with its own
    EXPECT_EQ(doc->GetKiboTestPos(), 0);
    WaitStep();
    EXPECT_EQ(doc->GetKiboTestPos(), 1);
    EXPECT_EQ(Wrong({12010, 12020, 12040}, true), None);
    doc->SetKiboSpeed(4);
    Trigger(12050);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboTestPos() == 2; }, 10000));
    EXPECT_EQ(g_byGameStatus, GameStatus::Stopped);
    EXPECT_EQ(Wrong({12030, 12040, 12050, 12060}, false), None);
    EXPECT_EQ(g_byAutoTemp, 100);
    EXPECT_EQ(doc->GetBoardInfo(7, 5), 111);
}

TEST_F(Commands, TakeBackAgainstTheComputerRemovesTwoEntries)
{
    ScriptedEngine({PackEngineMove(6, 2, 6, 3, 121, false, true),
                    PackEngineMove(5, 2, 5, 3, 121, false, true)});
    Trigger(11010);
    Drag(2, 6, 2, 5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboNum() == 2; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Enabled(11040); }, 5000));
    Drag(7, 6, 7, 5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboNum() == 4; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Enabled(11040); }, 5000));
    Trigger(11040);
    EXPECT_EQ(doc->GetKiboNum(), 2);
    EXPECT_EQ(doc->GetCurPlayer(), 1) << "the human is to move again";
    EXPECT_EQ(doc->GetBoardInfo(7, 6), 111);
    EXPECT_EQ(doc->GetBoardInfo(5, 2), 121);
    EXPECT_EQ(app->GetBGKibo()->ItemNum(), 3);
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
    EXPECT_TRUE(Enabled(11040));
    Trigger(11040);
    EXPECT_EQ(doc->GetKiboNum(), 0);
    EXPECT_EQ(doc->GetBoardInfo(2, 6), 111);
    EXPECT_FALSE(Enabled(11040));
    EXPECT_EQ(app->GetBGKibo()->ItemNum(), 1);
}

TEST_F(Commands, TakeBackBetweenHumansRemovesOneEntry)
{
    NewHumanGame();
    Drag(2, 6, 2, 5);
    Drag(6, 2, 6, 3);
    Trigger(11040);
    EXPECT_EQ(doc->GetKiboNum(), 1);
    EXPECT_EQ(doc->GetCurPlayer(), 2);
    EXPECT_EQ(doc->GetBoardInfo(6, 2), 121);
    EXPECT_EQ(doc->GetBoardInfo(2, 5), 111);
}

TEST_F(Commands, ResumeFromTheMiddleAsksAndCuts)
{
    ThreeMovesStopped();
    Trigger(12020);
    Trigger(12020);
    ASSERT_EQ(doc->GetKiboTestPos(), 0);
    TestBoxes::answers.push_back(BoxAnswer::No);
    Trigger(11030);
    EXPECT_EQ(TestBoxes::Count(JC_MSGSureReplay), 1);
    EXPECT_EQ(doc->GetKiboNum(), 3) << "No leaves the record";
    EXPECT_EQ(g_byGameStatus, GameStatus::Stopped);
    TestBoxes::answers.push_back(BoxAnswer::Yes);
    Trigger(11030);
    EXPECT_EQ(doc->GetKiboNum(), 1);
    EXPECT_EQ(doc->GetKibo()->size(), 1);
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
    EXPECT_EQ(doc->GetCurPlayer(), 2);
    EXPECT_EQ(app->GetBGKibo()->ItemNum(), 2);
    Drag(6, 2, 6, 3);
    EXPECT_EQ(doc->GetKiboNum(), 2) << "play goes on from the cut";
}

TEST_F(Commands, ResumeBeforeAResignationCutsIt)
{
    NewHumanGame();
    Drag(2, 6, 2, 5);
    Trigger(11050); // the second player resigns
    ASSERT_EQ(doc->GetKiboNum(), 2);
    Trigger(12020);
    TestBoxes::answers.push_back(BoxAnswer::Yes);
    Trigger(11030);
    EXPECT_EQ(doc->GetKiboNum(), 1);
    EXPECT_EQ(doc->GetCurPlayer(), 2);
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
    EXPECT_EQ(app->GetBGKibo()->ItemNum(), 2);
    Drag(6, 2, 6, 3);
    EXPECT_EQ(doc->GetKiboNum(), 2);
}

TEST_F(Commands, ResumeDuringAPendingReplayStepKeepsBoardAndRecordTogether)
{
    ThreeMovesStopped();
    Trigger(12010);
    Trigger(12040);
    TestBoxes::answers.push_back(BoxAnswer::Yes);
    Trigger(11030);
    EXPECT_FALSE(app->IsForwardStepPending());
    EXPECT_EQ(doc->GetKiboNum(), 1);
    EXPECT_EQ(doc->GetBoardInfo(2, 5), 111) << "the step under way was made";
    QTest::qWait(1200);
    EXPECT_EQ(doc->GetBoardInfo(6, 2), 121) << "and is not made twice";
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
}

class EditedPosition : public Commands
{
protected:
    void SetUp() override
    {
        Commands::SetUp();
        Trigger(11060);
    }
    // Resumes and returns the refusal shown, or nullptr when accepted.
    const char *Resume()
    {
        TestBoxes::Reset();
        TestBoxes::answers.push_back(BoxAnswer::Yes); // the first player moves first
        Trigger(11030);
        for (const char *t : {JC_MSGUnMoveKoma, JC_MSGTwoBo, JC_MSGAlreadyOte})
            if (TestBoxes::Count(t))
                return t;
        return nullptr;
    }
};

TEST_F(EditedPosition, UnmovablePiecesAreRefused)
{
    doc->SetBoardInfo(0, 0, 111); // a pawn on its last row
    EXPECT_EQ(Resume(), JC_MSGUnMoveKoma);
    EXPECT_EQ(g_byGameStatus, GameStatus::Editing);
    doc->SetBoardInfo(0, 0, 0);
    doc->SetBoardInfo(1, 7, 123); // the second player's knight on its last two rows
    EXPECT_EQ(Resume(), JC_MSGUnMoveKoma);
    doc->SetBoardInfo(1, 7, 223); // promoted, it moves like a gold
    EXPECT_EQ(Resume(), nullptr);
}

TEST_F(EditedPosition, TwoUnpromotedPawnsInAColumnAreRefused)
{
    doc->SetBoardInfo(2, 4, 111);
    EXPECT_EQ(Resume(), JC_MSGTwoBo);
    doc->SetBoardInfo(2, 4, 211);
    EXPECT_EQ(Resume(), nullptr);
    Trigger(11060);
    doc->SetBoardInfo(2, 4, 121); // one pawn of each side
    doc->SetBoardInfo(2, 2, 0);
    EXPECT_EQ(Resume(), nullptr);
}

TEST_F(EditedPosition, TheSecondPlayerInCheckIsRefused)
{
    doc->SetBoardInfo(4, 2, 0);
    doc->SetBoardInfo(4, 4, 117); // a rook facing the king
    EXPECT_EQ(Resume(), JC_MSGAlreadyOte);
    EXPECT_EQ(g_byGameStatus, GameStatus::Editing);
}

TEST_F(EditedPosition, AcceptedWithTheFirstPlayerToMoveAndAnEmptyRecord)
{
    doc->SetBoardInfo(4, 6, 0);
    doc->GetFirstPlayer()->SetDaiNum(1, 1); // the pawn goes to the hand
    doc->SetCurPlayer(2);
    Trigger(11070);
    EXPECT_EQ(g_byGameStatus, GameStatus::Removing);
    EXPECT_EQ(Resume(), nullptr);
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
    EXPECT_EQ(doc->GetCurPlayer(), 1);
    EXPECT_EQ(doc->GetKiboNum(), 0);
    EXPECT_EQ(doc->GetInitBoardInfo(4, 6), 0) << "the edited board is the record's start";
    EXPECT_EQ(doc->GetFirstPlayer()->GetDaiNumF(1), 1);
    EXPECT_FALSE(app->Command(11070)->isChecked());
    EXPECT_FALSE(Enabled(11070));
    EXPECT_FALSE(Enabled(11040));
}

// ---------------------------------------------------------------- dialogs

template <class W> W *Child(QDialog *d, const char *name)
{
    return d->findChild<W *>(QLatin1String(name));
}

TEST_F(Commands, GameDialogDuringAGameKeepsTheHandicap)
{
    FixedEngine(PackEngineMove(6, 2, 6, 3, 121, false, true), EngineResult::Move);
    Trigger(11010);
    Drag(2, 6, 2, 5);
    ASSERT_TRUE(Enabled(13010));
    doc->SetTeai(0);
    bool teaiEnabled = true;
    TestDesktop::dialogActions.push_back([&](QDialog *d) {
        teaiEnabled = Child<QComboBox>(d, "m_cbxTeai")->isEnabled();
        Child<QComboBox>(d, "m_cbxComputerLevel")->setCurrentIndex(2);
        TestDesktop::Click(d, "m_bntOK");
    });
    Trigger(13010);
    EXPECT_FALSE(teaiEnabled);
    EXPECT_EQ(doc->GetComputerLevel(), 2);
    EXPECT_EQ(doc->GetTeai(), 0);
}

TEST_F(Commands, GameDialogHumanAgainstHumanGreysTheLevel)
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
    Trigger(11010);
    EXPECT_FALSE(afterHuman);
    EXPECT_FALSE(afterComputer) << "stays grey until the dialog is opened anew";
    EXPECT_FALSE(secondHumanChecked);
    EXPECT_EQ(doc->GetSecondPlayer()->GetProperty(), 2);
    EXPECT_FALSE(doc->GetStandardKoma());
    EXPECT_EQ(doc->GetTeai(), 3);
    EXPECT_EQ(doc->GetBoardInfo(7, 7), 0) << "the rook is gone from the set-up";
    EXPECT_EQ(app->FieldText(2), JStr(JC_Bicazi));
}

TEST_F(Commands, CancelledNewGameLeavesTheGameAlone)
{
    NewHumanGame();
    Drag(2, 6, 2, 5);
    TestDesktop::dialogActions.push_back([](QDialog *d) {
        Child<QRadioButton>(d, "m_rdoFirstComputer")->click();
        TestDesktop::Click(d, "m_bntCancel");
    });
    Trigger(11010);
    EXPECT_EQ(doc->GetKiboNum(), 1);
    EXPECT_EQ(g_byGameStatus, GameStatus::Playing);
    EXPECT_EQ(doc->GetFirstPlayer()->GetProperty(), 1);
    // Closing the dialog by the window counts as Cancel too.
    TestDesktop::dialogActions.push_back([](QDialog *d) { d->reject(); });
    Trigger(11010);
    EXPECT_EQ(doc->GetKiboNum(), 1);
}

TEST_F(Commands, OtherSettingsDialogShowsAndStoresTheOptions)
{
    doc->SetKiboProperty(2);
    doc->SetKiboSpeed(1);
    doc->SetOSDan(false);
    bool shownLast = false, shownDan = true;
    int shownSpeed = -1;
    TestDesktop::dialogActions.push_back([&](QDialog *d) {
        shownLast = Child<QRadioButton>(d, "m_rdoOpenLast")->isChecked();
        shownSpeed = Child<QComboBox>(d, "m_cbxReplaySpeed")->currentIndex();
        shownDan = Child<QCheckBox>(d, "m_chkDanView")->isChecked();
        Child<QRadioButton>(d, "m_rdoAutoReplay")->click();
        Child<QComboBox>(d, "m_cbxReplaySpeed")->setCurrentIndex(4);
        Child<QCheckBox>(d, "m_chkSound")->setChecked(true);
        Child<QCheckBox>(d, "m_chkSuView")->setChecked(false);
        TestDesktop::Click(d, "m_bntOK");
    });
    Trigger(13020);
    EXPECT_TRUE(shownLast);
    EXPECT_EQ(shownSpeed, 1);
    EXPECT_FALSE(shownDan);
    EXPECT_EQ(doc->GetKiboProperty(), 3);
    EXPECT_EQ(doc->GetKiboSpeed(), 4);
    EXPECT_TRUE(doc->GetOSSound());
    EXPECT_FALSE(doc->GetOSBeforeSu());
    TestDesktop::dialogActions.push_back([](QDialog *d) {
        Child<QRadioButton>(d, "m_rdoOpenFirst")->click();
        TestDesktop::Click(d, "m_bntCancel");
    });
    Trigger(13020);
    EXPECT_EQ(doc->GetKiboProperty(), 3);
}

TEST_F(Commands, AboutBox)
{
    Trigger(15010);
    EXPECT_EQ(TestBoxes::Count(JC_MSGHelpAbout), 1);
}

} // namespace
