#include "gameflow.h"
#include "language.h"
#include "messagebox.h"
#include "shogi.h"

#include <KMainWindow>
#include <QApplication>

QApplication *g_App = nullptr;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("shogi"));
    g_App = &app;
    if (EngineCalls().InitGame() == 2) {
        ShowBox(nullptr, BoxKind::Warning, QStringLiteral("Cannot malloc memory."));
        app.quit();
        return -1;
    }
    if (app.isSessionRestored()) {
        for (int n = 1; KMainWindow::canBeRestored(n); ++n)
            (new ShogiApp)->restore(n);
    } else {
        auto *window = new ShogiApp;
        window->show();
        if (argc > 1)
            window->openDocumentFile(QString::fromLocal8Bit(argv[1]));
    }
    const int result = app.exec();
    // Windows still open are closed here, each waiting for a think it runs.
    const QList<KMainWindow *> windows = KMainWindow::memberList();
    qDeleteAll(windows);
    return result;
}
