// Engines at the board, the clocks and the endings, through the main window.
#include "appfixture.h"
#include "cbgkibo.h"
#include "cengineplay.h"
#include "cenginesdlg.h"
#include "cinfowidget.h"
#include "language.h"

#include <QComboBox>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

using namespace cmd;

class EnginePlay : public App
{
protected:
    // The fake engine registered as the only engine, running script.
    void Register(const char *script)
    {
        const QString path = dir.filePath(QStringLiteral("script"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(script);
        f.close();
        qputenv("FAKE_ENGINE_SCRIPT", path.toUtf8());
        usic::EngineEntry e;
        e.path = QStringLiteral(FAKE_ENGINE);
        e.name = QStringLiteral("Fake");
        SaveEngineList({e});
    }
    // Human first against the engine second; byoyomi in seconds per player.
    void NewEngineGame(int byoyomiFirst, int byoyomiSecond)
    {
        doc->GetFirstPlayer()->SetProperty(1);
        doc->GetSecondPlayer()->SetProperty(2);
        TestDesktop::dialogActions.push_back([=](QDialog *d) {
            Child<QComboBox>(d, "m_cbxEngineSecond")->setCurrentIndex(1);
            Child<QSpinBox>(d, "m_spnByoyomiFirst")->setValue(byoyomiFirst);
            Child<QSpinBox>(d, "m_spnByoyomiSecond")->setValue(byoyomiSecond);
            TestDesktop::Click(d, "m_bntOK");
        });
        Trigger(GameNew);
        TestBoxes::Reset(); // the question to save the game before
    }
    // Waits for a message holding the text; true when it came.
    static bool WaitBox(const char *eucText, int ms = 15000)
    {
        return QTest::qWaitFor(
            [eucText] {
                for (const QString &t : TestBoxes::texts)
                    if (t.contains(JStr(eucText)))
                        return true;
                return false;
            },
            ms);
    }
    bool EndingRow() { return app->GetBGKibo()->InfoWidget()->EndingRowShown(); }
    QTemporaryDir dir;
};

struct EngineCase
{
    const char *script;
    int byoyomiSecond;
    GameEnding ending;
    const char *box; // the one message shown
    int records;      // entries in the record afterwards
};

TEST_F(EnginePlay, EveryEngineAnswerEndsAsTheRulesSay)
{
    const EngineCase cases[] = {
        {"go * resign\n", 0, GameEnding::Resign, JC_MsgEndResign, 2},
        {"go * illegal\n", 0, GameEnding::IllegalMove, JC_MsgEndIllegal, 1},
        {"go * malformed\n", 0, GameEnding::IllegalMove, JC_MsgEndIllegal, 1},
        {"go * win\n", 0, GameEnding::IllegalMove, JC_MsgEndIllegal, 1},
        {"go * sleep 3000\n", 1, GameEnding::TimeUp, JC_MsgEndTimeUp, 1},
        {"go * crash\n", 0, GameEnding::None, JC_GamePaused, 1},
    };
    for (const EngineCase &c : cases) {
        SCOPED_TRACE(c.script);
        TestBoxes::Reset();
        Register(c.script);
        NewEngineGame(0, c.byoyomiSecond);
        Drag(2, 6, 2, 5);
        ASSERT_TRUE(WaitBox(c.box, 8000));
        QTest::qWait(300); // a second message would come now
        ASSERT_EQ(TestBoxes::texts.size(), 1u) << TestBoxes::texts.back().toStdString();
        EXPECT_TRUE(TestBoxes::texts[0].contains(JStr(c.box))) << TestBoxes::texts[0].toStdString();
        EXPECT_EQ(doc->GetEnding(), c.ending);
        EXPECT_EQ(doc->GetKiboNum(), c.records);
        EXPECT_EQ(EndingRow(), c.ending != GameEnding::None && c.ending != GameEnding::Resign);
        EXPECT_NE(g_byGameStatus, GameStatus::Playing);
    }
}

// A break stops the engine's think and drops its answer; on resume the engine
// is asked again and answers within its clock. Its score is shown from the
// human's side, its line in Japanese notation.
TEST_F(EnginePlay, BreakDuringTheEnginesThinkAndResume)
{
    const QString log = dir.filePath(QStringLiteral("log"));
    Register(("log " + log.toStdString() + "\ngo 1 sleep 1500\ngo * move\n").c_str());
    NewEngineGame(0, 2);
    Drag(2, 6, 2, 5);
    const auto received = [&log](const char *command) {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? int(f.readAll().count(command)) : 0;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return received("go ") == 1; }, 8000));
    Trigger(GameBreak);
    EXPECT_NE(g_byGameStatus, GameStatus::Playing);
    QTest::qWait(2500); // the answer to the first go comes and is dropped
    EXPECT_GE(received("stop"), 1);
    EXPECT_EQ(doc->GetKiboNum(), 1);
    Trigger(GameResume);
    ASSERT_TRUE(QTest::qWaitFor([this] { return doc->GetKiboNum() == 2; }, 8000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Enabled(GameRetract); }, 5000));
    EXPECT_EQ(received("go "), 2);
    EXPECT_TRUE(TestBoxes::texts.empty());
    EXPECT_EQ(doc->GetCurPlayer(), 1);
    // The engine's +42 is the human's -42.
    const QString info = app->GetEnginePlay()->EngineInfo();
    EXPECT_TRUE(info.startsWith(QLatin1String("Fake "))) << info.toStdString();
    EXPECT_TRUE(info.contains(JStr(JC_InfoScore) + QLatin1String("-42 "))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("[１-９][一二三四五六七八九]")))) << info.toStdString();
    Trigger(GameRetract); // the engine's reply and the human's move go together
    EXPECT_EQ(doc->GetKiboNum(), 0);
}

TEST_F(EnginePlay, TwoEnginesPlayToTheMoveLimit)
{
    Register("go * move\n");
    doc->GetFirstPlayer()->SetProperty(2);
    doc->GetSecondPlayer()->SetProperty(2);
    TestDesktop::dialogActions.push_back([](QDialog *d) {
        Child<QComboBox>(d, "m_cbxEngineFirst")->setCurrentIndex(1);
        Child<QComboBox>(d, "m_cbxEngineSecond")->setCurrentIndex(1);
        Child<QSpinBox>(d, "m_spnMaxPlies")->setValue(6);
        TestDesktop::Click(d, "m_bntOK");
    });
    Trigger(GameNew);
    TestBoxes::Reset();
    ASSERT_TRUE(WaitBox(JC_MsgEndMaxPlies, 30000)) << doc->GetKiboNum() << " moves";
    EXPECT_EQ(doc->GetKiboNum(), 6);
    EXPECT_EQ(doc->GetEnding(), GameEnding::MaxPlies);
    EXPECT_TRUE(EndingRow());
}

TEST_F(EnginePlay, HumansMeetTheEndingsToo)
{
    // The kings step out and back: the start position a fourth time.
    NewHumanGame();
    for (int i = 0; i < 3; i++) {
        Drag(4, 8, 5, 7);
        Drag(4, 0, 5, 1);
        Drag(5, 7, 4, 8);
        Drag(5, 1, 4, 0);
    }
    ASSERT_TRUE(WaitBox(JC_MsgEndRepetition)) << doc->GetKiboNum() << " moves";
    EXPECT_EQ(doc->GetKiboNum(), 12);
    EXPECT_EQ(doc->GetEnding(), GameEnding::Repetition);
    EXPECT_EQ(TestBoxes::Count(JC_MsgEndRepetition), 1);
    EXPECT_TRUE(EndingRow());

    // A declaration at the start does not hold: the declarer loses.
    NewHumanGame();
    TestBoxes::Reset();
    Trigger(GameDeclare);
    ASSERT_TRUE(WaitBox(JC_MsgEndDeclareFailed));
    EXPECT_EQ(doc->GetEnding(), GameEnding::IllegalMove);
    EXPECT_TRUE(TestBoxes::texts[0].contains(JStr(JC_SecondWins))) << TestBoxes::texts[0].toStdString();

    // A human's byoyomi runs out.
    doc->GetSecondPlayer()->SetProperty(1);
    TestDesktop::dialogActions.push_back([](QDialog *d) {
        Child<QSpinBox>(d, "m_spnByoyomiFirst")->setValue(1);
        TestDesktop::Click(d, "m_bntOK");
    });
    Trigger(GameNew);
    TestBoxes::Reset();
    ASSERT_TRUE(WaitBox(JC_MsgEndTimeUp));
    EXPECT_EQ(doc->GetEnding(), GameEnding::TimeUp);
    EXPECT_TRUE(TestBoxes::texts[0].contains(JStr(JC_SecondWins)));
}

TEST_F(EnginePlay, RegistrationRefusesWhatCannotPlay)
{
    const QString plain = dir.filePath(QStringLiteral("plain"));
    QFile(plain).open(QIODevice::WriteOnly);
    Register("option name Hash type spin default 16 min 1 max 64\n");
    SaveEngineList({});
    auto *dlg = new CEnginesDLG(app);
    QSignalSpy probed(dlg, &CEnginesDLG::probed);
    for (const QString &path : {QStringLiteral("/no/such/engine"), plain}) {
        dlg->AddPath(path);
        ASSERT_TRUE(probed.wait(3000));
        EXPECT_FALSE(probed.takeFirst().first().toBool()) << path.toStdString();
    }
    dlg->AddPath(QStringLiteral(FAKE_ENGINE));
    ASSERT_TRUE(probed.wait(5000));
    EXPECT_TRUE(probed.takeFirst().first().toBool());
    const QVector<usic::EngineEntry> saved = LoadEngineList();
    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(saved[0].name, QLatin1String("Fake"));
    ASSERT_EQ(saved[0].options.size(), 1);
    EXPECT_EQ(saved[0].options[0].max, 64);
    EXPECT_EQ(TestBoxes::texts.size(), 2u); // the two refusals
    delete dlg;
}

} // namespace
