// Records on disk and in the desktop session: opening a file of any record
// format, saving in the format its name chooses, and keeping an unsaved game
// across a logout.

#include "gamefiles.h"

#include "desktopcalls.h"
#include "gameflow.h"
#include "language.h"
#include "messagebox.h"
#include "recordformat.h"
#include "shogidoc.h"
#include "studycontroller.h"

#include <KConfigGroup>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>
#include <QWidget>

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
    {GameEnding::Resign, JC_EndResign},
    {GameEnding::Interrupt, JC_EndInterrupt},
    {GameEnding::Mate, JC_EndMate},
    {GameEnding::Repetition, JC_EndRepetition},
    {GameEnding::PerpetualCheck, JC_EndPerpetual},
    {GameEnding::Impasse, JC_EndImpasse},
    {GameEnding::TimeUp, JC_EndTimeUp},
    {GameEnding::IllegalMove, JC_EndIllegal},
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

// The file dialog's choices: every record format, .kvn first (the default).
QString RecordFilter(bool open)
{
    QStringList types;
    const QString all = QStringLiteral("*.kvn *.kif *.kifu *.ki2 *.ki2u *.csa *.sfen *.usi");
    if (open)
        types << JStr(JC_RecordsFilter) + QStringLiteral(" (") + all + QLatin1Char(')');
    for (const char *t : {"Korvane (*.kvn)", "KIF (*.kif)", "KIF UTF-8 (*.kifu)", "KI2 (*.ki2)",
                          "KI2 UTF-8 (*.ki2u)", "CSA (*.csa)", "SFEN (*.sfen)", "USI (*.usi)"})
        types << QLatin1String(t);
    if (open)
        types << JStr(JC_AllFiles) + QStringLiteral(" (*)");
    return types.join(QStringLiteral(";;"));
}

// Where an unsaved game waits for the next desktop session.
QString NewRecoverFileName()
{
    const QDir dir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    dir.mkpath(QStringLiteral("recover"));
    return dir.filePath(QStringLiteral("recover/") +
                        QUuid::createUuid().toString(QUuid::WithoutBraces) +
                        QStringLiteral(".kvn"));
}

} // namespace

GameFiles::GameFiles(ShogiDoc *doc, QWidget *window) : QObject(window), m_doc(doc), m_window(window)
{
}

void GameFiles::SaveSession(KConfigGroup &config) const
{
    const bool untitled = m_doc->getTitle() == JStr(JC_Untitled);
    if (untitled && !m_doc->isModified())
        return;
    config.writeEntry("filename", untitled ? QString() : m_doc->getAbsFilePath());
    config.writeEntry("modified", m_doc->isModified());
    if (!m_doc->isModified())
        return;
    // Written aside, so the game stays marked unsaved in this session.
    const QString recover = NewRecoverFileName();
    QFile file(recover);
    if (file.open(QIODevice::WriteOnly) && file.write(m_doc->saveDocumentData()) > 0)
        config.writeEntry("recover", recover);
}

void GameFiles::NameDocument(const QString &name)
{
    if (name.isEmpty()) {
        m_doc->setTitle(JStr(JC_Untitled));
        m_doc->setAbsFilePath(QDir::homePath());
    } else {
        m_doc->setTitle(QFileInfo(name).fileName());
        m_doc->setAbsFilePath(QFileInfo(name).absoluteFilePath());
    }
}

void GameFiles::RestoreSession(const KConfigGroup &config)
{
    const QString name = config.readEntry("filename", QString());
    const bool modified = config.readEntry("modified", false);
    const QString recover = config.readEntry("recover", QString());
    if (modified && !recover.isEmpty() && QFileInfo::exists(recover)) {
        if (m_doc->openDocument(recover)) {
            m_doc->setModified(true);
            NameDocument(name);
            emit RecordOpened();
        }
        QFile::remove(recover);
    } else if (!name.isEmpty() && m_doc->openDocument(name)) {
        emit RecordOpened();
    }
    emit TitleChanged();
}

bool GameFiles::Open(const QString &name)
{
    // .kvn keeps its own reader, and with it the players and level it stores.
    if (records::FormatOfExtension(name) == records::Format::Kvn) {
        if (!m_doc->openDocument(name)) {
            ShowBox(m_window, BoxKind::Warning, JC_IncorrectKiboFile);
            return false;
        }
        m_names[0] = m_names[1] = QString();
        m_lossAsked = false;
        emit RecordOpened();
        return true;
    }
    records::GameRecord rec;
    records::ReadReport report;
    if (!records::ReadRecordFile(name, rec, report)) {
        ShowBox(m_window, BoxKind::Warning,
                JStr(JC_RecordRefused) + QStringLiteral("\n") + QDir::toNativeSeparators(name) +
                    QStringLiteral("\n") + QString::fromStdString(report.Message()));
        return false;
    }
    return Load(rec, report.dropped, name);
}

bool GameFiles::Load(const records::GameRecord &rec, unsigned dropped, const QString &name)
{
    std::string err;
    if (!records::LoadIntoDoc(rec, *m_doc, err)) {
        ShowBox(m_window, BoxKind::Warning,
                JStr(JC_RecordRefused) + QStringLiteral("\n") + QString::fromStdString(err));
        return false;
    }
    NameDocument(name);
    m_names[0] = rec.names[0];
    m_names[1] = rec.names[1];
    m_lossAsked = false;
    emit RecordOpened();
    if (name.isEmpty())
        m_doc->setModified(true);
    // How it ended and what was left out, told once in one line.
    QString note;
    for (const auto &e : kEndingTexts)
        if (e.ending == rec.ending)
            note = JStr(JC_GameEnded) + JStr(e.text);
    if (dropped != records::kDroppedNothing)
        note += (note.isEmpty() ? QString() : QStringLiteral("  ")) + JStr(JC_NotKept) +
                DroppedText(dropped);
    emit StatusText(note);
    return true;
}

records::GameRecord GameFiles::RecordForSaving() const
{
    records::GameRecord rec = records::RecordOf(*m_doc);
    rec.names[0] = m_names[0];
    rec.names[1] = m_names[1];
    // An analysis of this record goes along as comments where the format has them.
    if (const StudyController *study = m_window->findChild<StudyController *>()) {
        rec.comments.resize(rec.moves.size());
        for (size_t i = 0; i < rec.moves.size(); ++i)
            rec.comments[i] = study->CommentLines(int(i) + 1);
    }
    return rec;
}

bool GameFiles::ConfirmRecordLoss(records::Format fmt)
{
    unsigned dropped = records::kDroppedNothing;
    records::WriteRecord(RecordForSaving(), fmt, &dropped);
    if (dropped == records::kDroppedNothing || m_lossAsked)
        return true;
    if (ShowBox(m_window, BoxKind::WarningYesNo,
                JStr(JC_WillDrop) + QStringLiteral("\n") + DroppedText(dropped)) != BoxAnswer::Yes)
        return false;
    m_lossAsked = true;
    return true;
}

void GameFiles::OpenChosen()
{
    if (!m_doc->saveModified())
        return;
    const QString name = g_pFileDialog(m_window, FileDialogKind::Open, JStr(JC_StaFileOpen),
                                       QDir::currentPath(), RecordFilter(true));
    if (name.isEmpty())
        return;
    Open(name);
}

QString GameFiles::WithRecordExtension(const QString &name)
{
    // A record extension chooses its format; anything else is saved as .kvn.
    if (records::FormatOfExtension(name) != records::Format::Unknown)
        return name;
    return name + QStringLiteral(".kvn");
}

bool GameFiles::SaveTo(const QString &name)
{
    const records::Format f = records::FormatOfExtension(name);
    if (f != records::Format::Unknown && f != records::Format::Kvn) {
        if (!ConfirmRecordLoss(f))
            return false;
        std::string err;
        if (records::WriteRecordFile(name, RecordForSaving(), err)) {
            m_doc->setModified(false);
            return true;
        }
    } else if (m_doc->saveDocument(name)) {
        return true;
    }
    ReportSaveFailed(name);
    return false;
}

void GameFiles::ReportSaveFailed(const QString &name)
{
    ShowBox(m_window, BoxKind::Warning,
            JStr(JC_MSGSaveFailed) + QStringLiteral("\n") + QDir::toNativeSeparators(name));
}

void GameFiles::Save()
{
    if (m_doc->getTitle() == JStr(JC_Untitled))
        SaveAs();
    else
        SaveTo(m_doc->getAbsFilePath());
    emit StatusText(QString());
}

void GameFiles::SaveAs()
{
    QString name = g_pFileDialog(m_window, FileDialogKind::Save, JStr(JC_StaFileSaveAs),
                                 QDir::currentPath(), RecordFilter(false));
    if (name.isEmpty())
        return;
    const QFileInfo chosen(name);
    if (chosen.fileName().isEmpty() || chosen.baseName().isEmpty() ||
        chosen.baseName().at(0).isSpace()) {
        ShowBox(m_window, BoxKind::Warning, JC_IncorrectKiboFile);
        return;
    }
    name = WithRecordExtension(name);
    const QString oldTitle = m_doc->getTitle(), oldPath = m_doc->getAbsFilePath();
    const QFileInfo info(name);
    m_doc->setTitle(info.fileName());
    m_doc->setAbsFilePath(info.absoluteFilePath());
    if (!SaveTo(name)) {
        // The game keeps the name it can still be saved under.
        m_doc->setTitle(oldTitle);
        m_doc->setAbsFilePath(oldPath);
    }
    emit TitleChanged();
    emit StatusText(QString());
}
