#include "shortcuts.h"

#include "commandid.h"

#include <KStandardShortcut>

namespace {
struct ShortcutRow
{
    int id;                                       // command id
    KStandardShortcut::StandardShortcut standard; // AccelNone: none
    int keys[2];                                  // the program's own, first; 0 for none
};

// clang-format off
const ShortcutRow Table[] = {
    {cmd::FileOpen,         KStandardShortcut::Open,      {0, 0}},                                       // open record
    {cmd::FileSave,         KStandardShortcut::Save,      {0, 0}},                                       // save
    {cmd::FileExit,         KStandardShortcut::Quit,      {0, 0}},                                       // quit
    {cmd::GameNew,          KStandardShortcut::New,       {Qt::Key_F2, 0}},                              // new game
    {cmd::GameRetract,      KStandardShortcut::Undo,      {Qt::Key_F5, 0}},                              // take back
    {cmd::CopyRecord,       KStandardShortcut::Copy,      {0, 0}},                                       // copy record
    {cmd::PasteRecord,      KStandardShortcut::Paste,     {0, 0}},                                       // paste record
    {cmd::RecordFirst,      KStandardShortcut::AccelNone, {Qt::CTRL | Qt::Key_Up, Qt::Key_Home}},        // to the start
    {cmd::RecordBack,       KStandardShortcut::AccelNone, {Qt::CTRL | Qt::Key_Left, Qt::Key_Left}},      // back one
    {cmd::RecordForward,    KStandardShortcut::AccelNone, {Qt::CTRL | Qt::Key_Right, Qt::Key_Right}},    // forward one
    {cmd::RecordLast,       KStandardShortcut::AccelNone, {Qt::CTRL | Qt::Key_Down, Qt::Key_End}},       // to the end
};
// clang-format on
} // namespace

QList<QKeySequence> ShortcutsOf(int id)
{
    QList<QKeySequence> keys;
    for (const ShortcutRow &row : Table) {
        if (row.id != id)
            continue;
        // The program's own keys stay first, so the menus show what they did.
        for (int k : row.keys)
            if (k != 0)
                keys << QKeySequence(k);
        if (row.standard != KStandardShortcut::AccelNone)
            for (const QKeySequence &k : KStandardShortcut::shortcut(row.standard))
                if (!keys.contains(k))
                    keys << k;
    }
    return keys;
}

QList<int> ShortcutCommands()
{
    QList<int> ids;
    for (const ShortcutRow &row : Table)
        ids << row.id;
    return ids;
}
