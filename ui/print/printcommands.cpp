// The main window's print, export and copy commands.

#include "shogi.h"

#include "desktopcalls.h"
#include "export.h"
#include "language.h"
#include "messagebox.h"
#include "recordsheet.h"
#include "shogidoc.h"

#include <QClipboard>
#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <functional>

namespace {
// PNG widths offered, in pixels; the clipboard's picture.
constexpr int PngDefaultWidth = 800, PngMinWidth = 100, PngMaxWidth = 8000;
constexpr int ClipboardWidth = 800;

// Preview with the desktop's print dialog behind its print button; the
// printer offers PDF as well.
void RunPreview(QWidget *parent, const std::function<void(QPrinter *)> &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    auto *dialog = new QPrintPreviewDialog(&printer, parent);
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog, paint);
    g_pRunDialog(dialog);
    delete dialog;
}
} // namespace

void ShogiApp::slotFilePrint()
{
    const QFileInfo file(doc->getAbsFilePath());
    // A saved record was played on the day it was written.
    const QDate date = file.exists() ? file.lastModified().date() : QDate::currentDate();
    const SheetContent sheet = SheetFromDoc(*doc, date);
    RunPreview(this, [&sheet](QPrinter *printer) { PaintSheet(printer, sheet); });
}

void ShogiApp::slotFilePrintDiagram()
{
    const DiagramPosition pos = DiagramFromDoc(*doc);
    RunPreview(this, [&pos](QPrinter *printer) { PaintDiagramPage(printer, pos); });
}

void ShogiApp::slotFileExportDiagram()
{
    const DiagramPosition pos = DiagramFromDoc(*doc);
    QString name = g_pFileDialog(this, FileDialogKind::Save, JStr(JC_StaFileExportDiagram),
                                 QString(), JStr(JC_DiagramFilter));
    if (name.isEmpty())
        return;
    if (DiagramFormatOf(name) == DiagramFormat::Unknown)
        name += QStringLiteral(".png");
    int width = PngDefaultWidth;
    if (DiagramFormatOf(name) == DiagramFormat::Png) {
        auto *ask = new QInputDialog(this);
        ask->setInputMode(QInputDialog::IntInput);
        ask->setLabelText(JStr(JC_DiagramWidth));
        ask->setIntRange(PngMinWidth, PngMaxWidth);
        ask->setIntValue(PngDefaultWidth);
        const bool ok = g_pRunDialog(ask) == QDialog::Accepted;
        width = ask->intValue();
        delete ask;
        if (!ok)
            return;
    }
    if (!WriteDiagram(name, pos, width))
        ShowBox(this, BoxKind::Warning, JC_ExportFailed);
}

void ShogiApp::slotFileCopyDiagram()
{
    QGuiApplication::clipboard()->setMimeData(
        DiagramMimeData(DiagramFromDoc(*doc), ClipboardWidth));
}
