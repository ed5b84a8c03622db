#include "uitest.h"

#include "gameflow.h"
#include "language.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
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

std::deque<QString> TestDesktop::fileNames;
std::vector<QString> TestDesktop::fileCaptions;
std::deque<std::function<void(QDialog *)>> TestDesktop::dialogActions;
std::vector<QUrl> TestDesktop::openedUrls;

void TestDesktop::Click(QDialog *dialog, const char *buttonName)
{
    if (auto *b = dialog->findChild<QPushButton *>(QLatin1String(buttonName)))
        b->click();
}

void TestDesktop::Install()
{
    g_pFileDialog = [](QWidget *, FileDialogKind, const QString &caption, const QString &,
                       const QString &) {
        fileCaptions.push_back(caption);
        if (fileNames.empty())
            return QString();
        const QString name = fileNames.front();
        fileNames.pop_front();
        return name;
    };
    g_pRunDialog = [](QDialog *dialog) {
        std::function<void(QDialog *)> act = [](QDialog *d) { Click(d, "m_bntOK"); };
        if (!dialogActions.empty()) {
            act = dialogActions.front();
            dialogActions.pop_front();
        }
        bool finished = false;
        const QMetaObject::Connection c =
            QObject::connect(dialog, &QDialog::finished, [&finished] { finished = true; });
        act(dialog);
        // A dialog the action left open is closed unconfirmed.
        if (!finished)
            dialog->reject();
        QObject::disconnect(c);
        return dialog->result();
    };
    g_pOpenUrl = [](const QUrl &url) {
        openedUrls.push_back(url);
        return true;
    };
}

void TestDesktop::Reset()
{
    fileNames.clear();
    fileCaptions.clear();
    dialogActions.clear();
    openedUrls.clear();
}

int main(int argc, char **argv)
{
    // Test discovery runs the binary outside ctest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Options, recovered games and file dialogs' history go to a directory of
    // the run, never to the user's.
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.filePath(QStringLiteral("cache"))));
    QApplication app(argc, argv);
    // As the program does: the engine's board frame is laid once, before any think.
    if (EngineCalls().InitGame() == 2)
        return 2;
    g_pShowBox = TestBoxes::Answer;
    TestDesktop::Install();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
