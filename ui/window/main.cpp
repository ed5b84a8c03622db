#include "displayprefs.h"
#include "gameflow.h"
#include "language.h"
#include "messagebox.h"
#include "qttranslations.h"
#include "shogi.h"

#include <KMainWindow>
#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

QApplication *g_App = nullptr;

namespace {

// KORVANE_SCREENSHOT=file.png: after a moment, save the window's picture there
// and quit (for checking an installed program without a hand at the mouse).
void ScheduleScreenshot(ShogiApp *window)
{
    const QString path = qEnvironmentVariable("KORVANE_SCREENSHOT");
    if (path.isEmpty())
        return;
    QTimer::singleShot(1500, window, [window, path] {
        const bool saved = window->grab().save(path, "PNG");
        QCoreApplication::exit(saved ? 0 : 3);
    });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("shogi"));
    app.setOrganizationDomain(QStringLiteral("korvane.invalid"));
    app.setDesktopFileName(QStringLiteral("korvane"));
    app.setWindowIcon(QIcon::fromTheme(QStringLiteral("korvane")));
    g_App = &app;
    ApplyLanguageAtStart(QLocale::system());
    // Qt's own buttons and file dialogs speak the language of the texts.
    if (GetTextLanguage() == TextLanguage::Japanese)
        InstallQtTranslations(app, QStringLiteral("ja"));
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
            window->openDocumentFile(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
        ScheduleScreenshot(window);
    }
    const int result = app.exec();
    // Windows still open are closed here, each waiting for a think it runs.
    const QList<KMainWindow *> windows = KMainWindow::memberList();
    qDeleteAll(windows);
    return result;
}
