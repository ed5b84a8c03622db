// Records in every format: opening and saving files, the clipboard, and
// record files dropped on the window.

#include "shogi.h"

#include "gameflow.h"
#include "language.h"
#include "messagebox.h"
#include "recordformat.h"
#include "studycontroller.h"
#include "shogidoc.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

namespace {

const struct
{
    unsigned bit;
    const char *text;
} kDroppedTexts[] = {
    {records::kDroppedComments, JC_DropComments}, {records::kDroppedVariations, JC_DropVariations},
    {records::kDroppedHeaders, JC_DropHeaders},   {records::kDroppedNames, JC_DropNames},
    {records::kDroppedTimes, JC_DropTimes},       {records::kDroppedEnding, JC_DropEnding},
    {records::kDroppedMoves, JC_DropMoves},
};

const struct
{
    GameEnding ending;
    const char *text;
} kEndingTexts[] = {
    {GameEnding::Resign, JC_EndResign},         {GameEnding::Interrupt, JC_EndInterrupt},
    {GameEnding::Mate, JC_EndMate},             {GameEnding::Repetition, JC_EndRepetition},
    {GameEnding::PerpetualCheck, JC_EndPerpetual}, {GameEnding::Impasse, JC_EndImpasse},
    {GameEnding::TimeUp, JC_EndTimeUp},         {GameEnding::IllegalMove, JC_EndIllegal},
    {GameEnding::MaxPlies, JC_EndMaxPlies},
};

QString DroppedText(unsigned dropped)
{
    QStringList parts;
    for (const auto &d : kDroppedTexts)
        if (dropped & d.bit)
            parts << JStr(d.text);
    return parts.join(QChar(0x3001));
}

// The file of a drag, when it is one local file.
QString DraggedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().front().isLocalFile())
        return QString();
    return mime->urls().front().toLocalFile();
}

} // namespace

bool ShogiApp::OpenRecordFile(const QString &name)
{
    // .kvn keeps its own reader, and with it the players and level it stores.
    if (records::FormatOfExtension(name) == records::Format::Kvn) {
        if (!doc->openDocument(name)) {
            ShowBox(this, BoxKind::Warning, JC_IncorrectKiboFile);
            return false;
        }
        m_recordNames[0] = m_recordNames[1] = QString();
        m_bRecordLossAsked = false;
        ShowOpenedRecord();
        return true;
    }
    records::GameRecord rec;
    records::ReadReport report;
    if (!records::ReadRecordFile(name, rec, report)) {
        ShowBox(this, BoxKind::Warning,
                JStr(JC_RecordRefused) + QStringLiteral("\n") + QDir::toNativeSeparators(name) +
                    QStringLiteral("\n") + QString::fromStdString(report.Message()));
        return false;
    }
    return LoadRecord(rec, report.dropped, name);
}

bool ShogiApp::LoadRecord(const records::GameRecord &rec, unsigned dropped, const QString &name)
{
    std::string err;
    if (!records::LoadIntoDoc(rec, *doc, err)) {
        ShowBox(this, BoxKind::Warning,
                JStr(JC_RecordRefused) + QStringLiteral("\n") + QString::fromStdString(err));
        return false;
    }
    if (name.isEmpty()) {
        doc->setTitle(JStr(JC_Untitled));
        doc->setAbsFilePath(QDir::homePath());
    } else {
        doc->setTitle(QFileInfo(name).fileName());
        doc->setAbsFilePath(QFileInfo(name).absoluteFilePath());
    }
    m_recordNames[0] = rec.names[0];
    m_recordNames[1] = rec.names[1];
    m_bRecordLossAsked = false;
    ShowOpenedRecord();
    if (name.isEmpty())
        doc->setModified(true);
    // How it ended and what was left out, told once in one line.
    QString note;
    for (const auto &e : kEndingTexts)
        if (e.ending == rec.ending)
            note = JStr(JC_GameEnded) + JStr(e.text);
    if (dropped != records::kDroppedNothing)
        note += (note.isEmpty() ? QString() : QStringLiteral("  ")) + JStr(JC_NotKept) +
                DroppedText(dropped);
    SetStatusMessage(note);
    return true;
}

records::GameRecord ShogiApp::RecordForSaving() const
{
    records::GameRecord rec = records::RecordOf(*doc);
    rec.names[0] = m_recordNames[0];
    rec.names[1] = m_recordNames[1];
    // An analysis of this record goes along as comments where the format has them.
    if (const StudyController *study = findChild<StudyController *>()) {
        rec.comments.resize(rec.moves.size());
        for (size_t i = 0; i < rec.moves.size(); ++i)
            rec.comments[i] = study->CommentLines(int(i) + 1);
    }
    return rec;
}

bool ShogiApp::ConfirmRecordLoss(records::Format fmt)
{
    unsigned dropped = records::kDroppedNothing;
    records::WriteRecord(RecordForSaving(), fmt, &dropped);
    if (dropped == records::kDroppedNothing || m_bRecordLossAsked)
        return true;
    if (ShowBox(this, BoxKind::WarningYesNo,
                JStr(JC_WillDrop) + QStringLiteral("\n") + DroppedText(dropped)) != BoxAnswer::Yes)
        return false;
    m_bRecordLossAsked = true;
    return true;
}

void ShogiApp::SaveInRecordFormat(const QString &fileName)
{
    SaveTo(fileName);
}

void ShogiApp::slotCopyRecord()
{
    QApplication::clipboard()->setText(
        QString::fromUtf8(records::WriteRecord(RecordForSaving(), records::Format::Kifu)));
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
    LoadRecord(rec, report.dropped, QString());
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
        OpenRecordFile(file);
}
