#ifndef KORVANE_GAMEFILES_H
#define KORVANE_GAMEFILES_H

#include <QObject>
#include <QString>

class KConfigGroup;
class QWidget;
class ShogiDoc;
namespace records {
struct GameRecord;
enum class Format;
} // namespace records

// The game's record on disk and across desktop sessions. Boxes that ask or
// warn open over the window; what the window must show after a change it
// learns from the signals.
class GameFiles : public QObject
{
    Q_OBJECT

public:
    GameFiles(ShogiDoc *doc, QWidget *window);

    // A file of any record format, by extension or content; a refusal is
    // shown and leaves the game as it was.
    bool Open(const QString &name);
    // A game read elsewhere replaces the game (empty name: untitled, unsaved).
    bool Load(const records::GameRecord &rec, unsigned dropped, const QString &name);
    // Asks for a file, then opens it.
    void OpenChosen();
    // Under the game's name, or asks for one when it has none.
    void Save();
    void SaveAs();
    // In the format the name's extension chooses; a failure is shown.
    bool SaveTo(const QString &name);
    void ReportSaveFailed(const QString &name);
    // The game as a record, with the players' names of an opened record and
    // the analysis of it as comments.
    records::GameRecord RecordForSaving() const;
    // name with ".kvn" appended unless a record extension chooses its format.
    static QString WithRecordExtension(const QString &name);

    // An unsaved game is written aside at logout and comes back after.
    void SaveSession(KConfigGroup &config) const;
    void RestoreSession(const KConfigGroup &config);

signals:
    // A record has replaced the game.
    void RecordOpened();
    void TitleChanged();
    void StatusText(const QString &text);

private:
    // Asks once per game before a save in fmt drops something; false: cancelled.
    bool ConfirmRecordLoss(records::Format fmt);
    // The document's title and path from a file name; untitled when empty.
    void NameDocument(const QString &name);

    ShogiDoc *m_doc;
    QWidget *m_window;
    // The players' names of an opened record, written back on save.
    QString m_names[2];
    bool m_lossAsked = false;
};

#endif
