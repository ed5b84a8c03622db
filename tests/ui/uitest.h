#ifndef KORVANE_UITEST_H
#define KORVANE_UITEST_H

#include "messagebox.h"

#include <QString>
#include <deque>
#include <vector>

// Answers every message box of the program without showing it: questions
// take the next queued answer (No when none is queued).
struct TestBoxes
{
    static std::vector<QString> texts;
    static std::deque<BoxAnswer> answers;
    static BoxAnswer Answer(QWidget *, BoxKind kind, const QString &text);
    static void Reset();
    static int Count(const char *eucText);
};

#endif
