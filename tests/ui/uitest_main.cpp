#include "uitest.h"

#include "language.h"

#include <QApplication>
#include <gtest/gtest.h>

std::vector<QString> TestBoxes::texts;
std::deque<BoxAnswer> TestBoxes::answers;

BoxAnswer TestBoxes::Answer(QWidget *, BoxKind kind, const QString &text)
{
    texts.push_back(text);
    if (kind == BoxKind::Information || kind == BoxKind::Warning)
        return BoxAnswer::Ok;
    if (answers.empty())
        return BoxAnswer::No;
    const BoxAnswer a = answers.front();
    answers.pop_front();
    return a;
}

void TestBoxes::Reset()
{
    texts.clear();
    answers.clear();
}

int TestBoxes::Count(const char *eucText)
{
    int n = 0;
    for (const QString &t : texts)
        n += t == JStr(eucText) ? 1 : 0;
    return n;
}

int main(int argc, char **argv)
{
    // Test discovery runs the binary outside ctest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_pShowBox = TestBoxes::Answer;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
