// Records through the clipboard, and record files dropped on the window.

#include "shogi.h"

#include "gamefiles.h"
#include "gameflow.h"
#include "language.h"
#include "messagebox.h"
#include "recordformat.h"
#include "shogidoc.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

namespace {

// The file of a drag, when it is one local file.
QString DraggedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 ||
        !mime->urls().front().isLocalFile())
        return QString();
    return mime->urls().front().toLocalFile();
}

} // namespace

void ShogiApp::slotCopyRecord()
{
    QApplication::clipboard()->setText(
        QString::fromUtf8(records::WriteRecord(m_files->RecordForSaving(), records::Format::Kifu)));
}

void ShogiApp::slotCopyPosition()
{
    // The moves on screen: all of them in play, the stepped-to ones otherwise.
    const QVector<KIBO> &kibo = *doc->GetKibo();
    const int all = qBound(0, doc->GetKiboNum(), int(kibo.size()));
    const BYTE s = g_byGameStatus;
    int shown = s == GameStatus::Playing || s == GameStatus::ShowingComputerMove
                    ? all
                    : qBound(0, doc->GetKiboTestPos() + 1, all);
    if (shown > 0 && IsResignKibo(kibo[shown - 1]))
        --shown;
    const usi::Position p = records::PositionOnScreen(*doc, shown);
    QApplication::clipboard()->setText(QString::fromStdString(usi::WriteSfen(p)));
}

void ShogiApp::slotPasteRecord()
{
    const QString text = QApplication::clipboard()->text();
    records::GameRecord rec;
    records::ReadReport report;
    if (!records::ReadRecord(text.toUtf8(), records::Format::Unknown, rec, report)) {
        SetStatusMessage(JStr(JC_PasteNotRecord) + QStringLiteral(" (") +
                         QString::fromStdString(report.Message()) + QLatin1Char(')'));
        return;
    }
    if (!doc->saveModified())
        return;
    m_files->Load(rec, report.dropped, QString());
}

void ShogiApp::dragEnterEvent(QDragEnterEvent *e)
{
    if (!DraggedFile(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

void ShogiApp::dropEvent(QDropEvent *e)
{
    const QString file = DraggedFile(e->mimeData());
    if (file.isEmpty())
        return;
    e->acceptProposedAction();
    if (doc->saveModified())
        m_files->Open(file);
}
