// The shortcut table on the main window, and the typed-move field.
#include "appfixture.h"
#include "language.h"
#include "moveentry.h"
#include "shortcuts.h"

#include <QLineEdit>
#include <QMap>

namespace {

using Keyboard = App;

TEST_F(Keyboard, CommandsCarryTheDesktopKeysAndNoKeyIsShared)
{
    const struct
    {
        int id;
        QKeySequence key;
    } rows[] = {
        {10010, QKeySequence(Qt::CTRL | Qt::Key_O)}, {10020, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {10050, QKeySequence(Qt::CTRL | Qt::Key_Q)}, {11010, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {11010, QKeySequence(Qt::Key_F2)},           {11040, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {11040, QKeySequence(Qt::Key_F5)},           {12010, QKeySequence(Qt::Key_Home)},
        {12020, QKeySequence(Qt::Key_Left)},         {12040, QKeySequence(Qt::Key_Right)},
        {12030, QKeySequence(Qt::Key_End)},          {12020, QKeySequence(Qt::CTRL | Qt::Key_Left)},
    };
    for (const auto &r : rows)
        EXPECT_TRUE(app->Command(r.id)->shortcuts().contains(r.key))
            << r.id << " " << r.key.toString().toStdString();
    // A key on two actions would trigger neither.
    QMap<QString, int> owner;
    for (QAction *a : app->findChildren<QAction *>())
        for (const QKeySequence &k : a->shortcuts()) {
            const int id = a->data().toInt();
            EXPECT_FALSE(owner.contains(k.toString()) && owner[k.toString()] != id)
                << k.toString().toStdString() << " on " << id << " and " << owner[k.toString()];
            owner[k.toString()] = id;
        }
    // Copy and paste of a record get the desktop's keys once those commands exist.
    EXPECT_TRUE(ShortcutsOf(16100).contains(QKeySequence(Qt::CTRL | Qt::Key_C)));
    EXPECT_TRUE(ShortcutsOf(16102).contains(QKeySequence(Qt::CTRL | Qt::Key_V)));
}

// A typed move is played or its refusal shown in the field; arrow keys then
// step through the record.
TEST_F(Keyboard, TypedMovesAndArrowKeys)
{
    CMoveEntry *entry = app->MoveEntry();
    EXPECT_FALSE(entry->Submit(QStringLiteral("P-7f"))) << "no game yet";
    EXPECT_TRUE(entry->Field()->text().contains(JStr(JC_MoveNotNow)));
    NewHumanGame();
    EXPECT_FALSE(entry->Submit(QStringLiteral("G-5h")));
    EXPECT_TRUE(entry->Field()->text().contains(JStr(JC_MoveAmbiguous)));
    EXPECT_EQ(doc->GetKiboNum(), 0);
    EXPECT_TRUE(entry->Submit(QStringLiteral("G6i-5h")));
    EXPECT_TRUE(entry->Field()->text().isEmpty());
    EXPECT_EQ(doc->GetBoardInfo(4, 7), MakePhysicsKoma(5, 1, 1));
    for (const char *m : {"P-3d", "P-2f"})
        ASSERT_TRUE(entry->Submit(QString::fromLatin1(m))) << entry->Field()->text().toStdString();
    ASSERT_EQ(doc->GetKiboNum(), 3);
    Trigger(11020); // break off, so the record can be stepped
    app->getView()->setFocus();
    ASSERT_EQ(doc->GetKiboTestPos(), 2);
    QTest::keyClick(app, Qt::Key_Left);
    EXPECT_EQ(doc->GetKiboTestPos(), 1);
    QTest::keyClick(app, Qt::Key_Home);
    EXPECT_EQ(doc->GetKiboTestPos(), -1);
    QTest::keyClick(app, Qt::Key_End);
    EXPECT_EQ(doc->GetKiboTestPos(), 2);
}

} // namespace
