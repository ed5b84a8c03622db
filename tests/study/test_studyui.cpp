#include "appfixture.h"
#include "gamerecord.h"
#include "language.h"
#include "studycontroller.h"

#include <KConfigGroup>
#include <KSharedConfig>
#include <QDockWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTreeWidget>

// The whole record analysed from the menus with our engine, then a jump.
TEST_F(App, StudyWholeRecordFindsTheLostBishopAndJumps)
{
    KSharedConfig::openConfig()->group("Study").writeEntry("MsPerMove", 300);
    auto *study = app->findChild<StudyController *>();
    ASSERT_TRUE(study);
    records::GameRecord rec;
    std::string err;
    // 3. the bishop runs into gote's bishop and is taken for nothing.
    for (const char *m : {"7g7f", "3c3d", "8h3c+", "2b3c"}) {
        usi::Move u;
        ASSERT_TRUE(usi::ParseMove(m, u));
        rec.moves.push_back(u);
    }
    ASSERT_TRUE(records::LoadIntoDoc(rec, *doc, err)) << err;
    app->slotGameBreak(); // as after opening a file: the record at rest, steppable
    const auto before = *doc->GetKibo();
    // Settings are read when the window starts; this one reads the new time.
    delete study;
    study = new StudyController(app);
    QAction *analyse = nullptr;
    for (QAction *a : app->Menu(2)->actions())
        if (a->data().toInt() == StudyController::kGameAnalysisId)
            analyse = a;
    ASSERT_TRUE(analyse);
    analyse->trigger();
    for (int i = 0; i < 300 && study->Results().empty(); i++)
        QTest::qWait(100);
    ASSERT_EQ(study->Results().size(), 5u);
    EXPECT_EQ(*doc->GetKibo(), before); // the record is untouched
    const QStringList comments = study->CommentLines(3);
    ASSERT_EQ(comments.size(), 2);
    EXPECT_TRUE(comments[1].startsWith(QLatin1Char('*') + JStr(JC_StudyBad))) << comments[1].toStdString();
    QDockWidget *graph = nullptr;
    for (QDockWidget *d : app->findChildren<QDockWidget *>())
        if (d->windowTitle() == JStr(JC_StudyGraph))
            graph = d;
    ASSERT_TRUE(graph);
    for (int i = 0; i < 100 && !graph->isVisible(); i++)
        QTest::qWait(100);
    ASSERT_TRUE(graph->isVisible());
    // A click on the graph at ply 2 steps the record there.
    QWidget *w = graph->widget();
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    EXPECT_EQ(doc->GetKiboTestPos() + 1, 2);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() - 1, w->height() / 2));
    EXPECT_EQ(doc->GetKiboTestPos() + 1, 4);

    // Analysis mode follows the record as it is stepped.
    QAction *live = nullptr;
    for (QAction *a : app->Menu(1)->actions())
        if (a->data().toInt() == StudyController::kAnalysisId)
            live = a;
    ASSERT_TRUE(live);
    live->trigger();
    auto *lines = app->findChild<QTreeWidget *>();
    ASSERT_TRUE(lines);
    const auto firstLine = [&](const char *sign) {
        for (int i = 0; i < 100; i++) {
            if (lines->topLevelItemCount() > 0 &&
                lines->topLevelItem(0)->text(4).startsWith(JStr(sign)))
                return true;
            QTest::qWait(100);
        }
        return false;
    };
    EXPECT_TRUE(firstLine(JC_FirstSign)); // sente to move after 4
    app->slotKiboBackOne();
    EXPECT_TRUE(firstLine(JC_SecondSign));
    live->trigger();
    EXPECT_EQ(*doc->GetKibo(), before);
}
