#ifndef KORVANE_APPFIXTURE_H
#define KORVANE_APPFIXTURE_H

#include "cboardframe.h"
#include "commandid.h"
#include "cplayer.h"
#include "gameflow.h"
#include "shogi.h"
#include "shogidoc.h"
#include "shogiview.h"
#include "uitest.h"

#include <QAction>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

// A main window shown offscreen, its boxes and dialogs answered by the test.
class App : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestBoxes::Reset();
        TestDesktop::Reset();
        saved = EngineCalls();
        g_bMoveEnd = false;
        app = new ShogiApp;
        app->resize(1400, 1000);
        app->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(app));
        doc = app->getDocument();
        doc->SetOSSound(false);
        app->SetConfirmResign(false); // a test that resigns asks no question unless told
        board = app->getView()->GetBoard();
        board->SetComputerMoveShowTime(10);
    }
    void TearDown() override
    {
        delete app.data();
        EngineCalls() = saved;
        g_bMoveEnd = false;
    }
    // An engine that answers every think with the same word and result.
    void FixedEngine(unsigned int word, int result)
    {
        EngineCalls().UpdateBoard = [](const CEnginePosition &) {};
        EngineCalls().OnFindMove = [word, result](int, unsigned int *m, int *r) {
            *m = word;
            *r = result;
        };
    }
    // An engine that plays the given words one after the other.
    void ScriptedEngine(std::vector<unsigned int> words)
    {
        auto next = std::make_shared<std::atomic<size_t>>(0);
        EngineCalls().UpdateBoard = [](const CEnginePosition &) {};
        EngineCalls().OnFindMove = [words, next](int, unsigned int *m, int *r) {
            const size_t i = (*next)++;
            *m = words[i < words.size() ? i : words.size() - 1];
            *r = EngineResult::Move;
        };
    }
    void Drag(int c1, int r1, int c2, int r2)
    {
        QTest::mousePress(board, Qt::LeftButton, {}, board->CellCenter(c1, r1));
        QTest::mouseMove(board, board->CellCenter(c2, r2));
        QTest::mouseRelease(board, Qt::LeftButton, {}, board->CellCenter(c2, r2));
    }
    bool Enabled(int id) { return app->Command(id)->isEnabled(); }
    void Trigger(int id) { app->Command(id)->trigger(); }
    // Human against human, new game.
    void NewHumanGame()
    {
        doc->GetSecondPlayer()->SetProperty(1);
        Trigger(cmd::GameNew);
    }

    // The game in one line: status, moves recorded and the side to move, so
    // that one check shows every part.
    std::string Game() const
    {
        static const char *const kStatus[] = {"?",        "start",   "playing",  "stopped",
                                              "resigned", "replay",  "editing",  "removing",
                                              "?",        "showing"};
        return std::string(kStatus[g_byGameStatus < 10 ? g_byGameStatus : 0]) + ", " +
               std::to_string(doc->GetKiboNum()) + " in the record, " +
               (doc->GetCurPlayer() == 1 ? "first" : "second") + " to move";
    }

    CEngineCalls saved;
    QPointer<ShogiApp> app;
    ShogiDoc *doc = nullptr;
    CBoardFrame *board = nullptr;
};

#endif
