#include "language.h"

#include <KMainWindow>
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("shogi"));
    auto *window = new KMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(JStr(JC_Korvane) + QStringLiteral(": ") + JStr(JC_Untitled));
    window->setCentralWidget(new QLabel(JStr(JC_Pyongsu), window));
    window->resize(640, 640);
    window->show();
    return app.exec();
}
