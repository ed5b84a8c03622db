// The shortcut table on the main window, and the typed-move field.
#include "appfixture.h"
#include "language.h"
#include "moveentry.h"
#include "shortcuts.h"

#include <QLineEdit>
#include <QMap>

namespace {

using namespace cmd;

using Keyboard = App;

TEST_F(Keyboard, CommandsCarryTheDesktopKeysAndNoKeyIsShared)
{
    const struct
    {
        int id, key;
    } rows[] = {
        {FileOpen, Qt::CTRL | Qt::Key_O},    {FileSave, Qt::CTRL | Qt::Key_S},
        {FileExit, Qt::CTRL | Qt::Key_Q},    {GameNew, Qt::CTRL | Qt::Key_N},
        {GameNew, Qt::Key_F2},               {GameRetract, Qt::CTRL | Qt::Key_Z},
        {GameRetract, Qt::Key_F5},           {RecordFirst, Qt::Key_Home},
        {RecordBack, Qt::Key_Left},          {RecordForward, Qt::Key_Right},
        {RecordLast, Qt::Key_End},           {RecordBack, Qt::CTRL | Qt::Key_Left}};
    for (const auto &r : rows)
        EXPECT_TRUE(app->Command(r.id)->shortcuts().contains(QKeySequence(r.key)))
            << r.id << " " << QKeySequence(r.key).toString().toStdString();
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
    EXPECT_TRUE(ShortcutsOf(CopyRecord).contains(QKeySequence(Qt::CTRL | Qt::Key_C)));
    EXPECT_TRUE(ShortcutsOf(PasteRecord).contains(QKeySequence(Qt::CTRL | Qt::Key_V)));
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
    Trigger(GameBreak); // break off, so the record can be stepped
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
