#ifndef KORVANE_DOCHOST_H
#define KORVANE_DOCHOST_H

#include "Gloval.h"

#include <QString>

// What the document needs from the main window (ShogiApp).
// The document never talks to widgets directly: the main window implements
// this interface and hands itself to ShogiDoc::SetHost(). Without a host
// (nullptr, the default) the document makes no calls at all.
class CDocHost
{
public:
    // Answers of the yes/no/cancel question of ShogiDoc::saveModified().
    enum Answer
    {
        Yes,
        No,
        Cancel
    };

    virtual ~CDocHost() = default;

    // Save-command state after ShogiDoc::setModified.
    virtual void SetDocModified(bool modified) = 0;
    // A move was appended / read from a file; called while the document's
    // side to move is still the mover.
    virtual void AddKibo(BYTE sx, BYTE sy, BYTE skoma, BYTE dx, BYTE dy, BYTE dkoma, BYTE koma,
                         unsigned int time) = 0;
    virtual void OpenAddKibo(BYTE sx, BYTE sy, BYTE skoma, BYTE dx, BYTE dy, BYTE dkoma, BYTE koma,
                             unsigned int time) = 0;
    // The break command (11020); run when a resignation is appended.
    virtual void slotGameBreak() = 0;
    // Empty the record window / reset the board view.
    virtual void ResetKiboWindow() = 0;
    virtual void ResetView() = 0;
    // The main window's command switch.
    virtual void enableCommand(int id) = 0;
    virtual void disableCommand(int id) = 0;
    // The save-as command (10030).
    virtual void slotFileSaveAs() = 0;
    // saveModified's answer Yes for a game kept in another record format than
    // .kvn: the main window writes it (reporting a failure); the document
    // stays modified unless it was written. Without it nothing is written.
    virtual void SaveInRecordFormat(const QString &fileName) { (void)fileName; }
    // saveModified could not write the file; the game stays unsaved.
    virtual void ReportSaveFailed(const QString &fileName) { (void)fileName; }
    // Warning box with Yes, No and Cancel, caption "Korvane"; eucText is a JC_ text.
    virtual Answer AskYesNoCancel(const char *eucText) = 0;
    // The game clock m_GameTime: elapsed milliseconds, and restart.
    virtual qint64 GameTimeElapsed() = 0;
    virtual void RestartGameTime() = 0;

    // Game flow: the status-bar message for the side to move, and a decoded
    // engine answer (drop: sx = 10). Hosts without a board may ignore them.
    virtual void StatusMessageTimeOut() {}
    virtual void ProComputerMove(BYTE sx, BYTE sy, BYTE dx, BYTE dy, BYTE kind, bool naru, int nR)
    {
        (void)sx, (void)sy, (void)dx, (void)dy, (void)kind, (void)naru, (void)nR;
    }
};

#endif
