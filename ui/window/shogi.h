#ifndef KORVANE_SHOGI_H
#define KORVANE_SHOGI_H

#include "Gloval.h"
#include "dochost.h"
#include "recordstepper.h"

#include <KMainWindow>
#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <initializer_list>

class CBGKibo;
class CMoveEntry;
class CommandTable;
class CHelpWindow;
class CEnginePlay;
class GameFiles;
class KConfigGroup;
class KToolBar;
class QAction;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QSoundEffect;
class RecordStepper;
class ShogiDoc;
class ShogiView;
class StudyController;

// The main window: menus, tool bars, status bar, the document, its view and
// the record window. Every command has one id and one QAction, shared by the
// menu and the tool bar that show it.
class ShogiApp : public KMainWindow, public CDocHost
{
    Q_OBJECT

public:
    explicit ShogiApp(QWidget *parent = nullptr);
    ~ShogiApp() override;

    ShogiDoc *getDocument() const { return doc; }
    ShogiView *getView() const { return view; }
    CBGKibo *GetBGKibo() const { return m_pBGKibo; }
    CHelpWindow *HelpWindow() const; // nullptr until help is first shown
    CEnginePlay *GetEnginePlay() const { return m_pEnginePlay; }

    // Command switch.
    void enableCommand(int id) override;
    void disableCommand(int id) override;
    QAction *Command(int id) const;
    QMenu *Menu(int index) const;

    void SetStatusMessage(const QString &text);
    QString StatusMessage() const;
    // Makes the study commands and panels afresh (the window makes them once;
    // a test remakes them after changing the study's settings).
    StudyController *NewStudy();
    void SetGameStatus(BYTE s);
    void UpdateStatusBar();
    void ViewTime();
    QString FieldText(int field) const; // 0 position .. 4 second player's time
    void PlaySoundPutKoma();
    // A record file named on the command line or by the desktop.
    void openDocumentFile(const QString &name);
    // Checks an edited position: 1 a piece that can never move, 2 two pawns
    // of a side in a column, 4 the side not to move in check, 3 accepted (the
    // position becomes the record's start).
    BYTE FromEditToPlay();
    // Whether resigning asks first (an other-settings option).
    void SetConfirmResign(bool v) { m_bConfirmResign = v; }
    void readOptions();
    void saveOptions();
    // Redraws the board and the record for the current notation and pieces.
    void ApplyDisplayPrefs();
    CMoveEntry *MoveEntry() const { return m_pMoveEntry; }
    // Whether a one-second record step is waiting to be shown.
    bool IsForwardStepPending() const;
    // Index into ReplaySchedule::Factors for the replay as played.
    int GetReplayFactor() const;
    void SetReplayFactor(int index);
    // Shows the position after record entry pos (-1: the start), as stepping
    // does; only while play is stopped.
    void JumpToKibo(int pos);
    // After a move between humans: a side left without a legal move has lost,
    // and the game ends there. (The computer reports its own defeat.)
    void EndIfMated();

    // CDocHost.
    void SetDocModified(bool modified) override;
    void ReportSaveFailed(const QString &fileName) override;
    void SaveInRecordFormat(const QString &fileName) override;
    void AddKibo(BYTE sx, BYTE sy, BYTE skoma, BYTE dx, BYTE dy, BYTE dkoma, BYTE koma,
                 unsigned int time) override;
    void OpenAddKibo(BYTE sx, BYTE sy, BYTE skoma, BYTE dx, BYTE dy, BYTE dkoma, BYTE koma,
                     unsigned int time) override;
    void ResetKiboWindow() override;
    void ResetView() override;
    Answer AskYesNoCancel(const char *eucText) override;
    qint64 GameTimeElapsed() override;
    void RestartGameTime() override;
    void ProComputerMove(BYTE sx, BYTE sy, BYTE dx, BYTE dy, BYTE kind, bool naru, int nR) override;

    QTimer m_Timer; // brings the game-status message back after a help text

public slots:
    void commandCallback(int id);
    void statusCallback(int id);
    void slotStatusMsg(const QString &text);
    void slotStatusHelpMsg(const QString &text);
    void StatusMessageTimeOut() override;
    void OneSecondTimeOut();

    void slotFileOpen();
    void slotFileSave();
    void slotFileSaveAs() override;
    void slotFileExit();
    void slotFilePrint();
    void slotFilePrintDiagram();
    void slotFileExportDiagram();
    void slotFileCopyDiagram();
    void slotGameNewGame();
    void slotGameBreak() override;
    void slotGameReplay();
    void slotGameRetract();
    void slotGameThrow();
    void slotGameEditBoard();
    void slotGameEditKill();
    void slotKiboFirst();
    void slotKiboBackOne();
    void slotKiboLast();
    void slotKiboForwardOne();
    void slotKiboAutoReplay();
    void slotKiboBreakReplay();
    void slotSettingGame();
    void slotSettingOther();
    void slotSettingEngines();
    void slotGameDeclare();
    void slotSettingMMoveable();
    void slotSettingFirstUp();
    void slotSettingLanguage();
    void slotViewToolBar();
    void slotViewControlBar();
    void slotViewStatusBar();
    void slotViewKibo();
    void slotHelpTopic();
    void slotHelpAboutVelmShogi();
    // Records through the clipboard (recordtransfer.cpp).
    void slotCopyRecord();
    void slotCopyPosition();
    void slotPasteRecord();

protected:
    bool queryClose() override;
    bool queryExit();
    // A record file dropped on the window opens (recordtransfer.cpp).
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    void saveProperties(KConfigGroup &config) override;
    void readProperties(const KConfigGroup &config) override;

private:
    void DrawLogo();
    void initToolBar();
    void initStatusBar();
    void initDocument();
    void initView();
    void SetCaptionFromDocument();
    // A view command: shows or hides w by the check mark of id.
    void ToggleShown(int id, QWidget *w);
    void ShowPlayerTime(BYTE player, int seconds);
    void SetEnabled(std::initializer_list<int> ids, bool on);
    // A computer move shown lifted goes into the record before a command
    // changes the game under it.
    void FinishShownComputerMove();
    void RunSettingDialog(QDialog *dialog);
    // The new-game dialog; true when the player chose a game (OK).
    bool ChooseNewGame();
    // A record has replaced the game: show it as the record-open option says.
    void ShowOpenedRecord();
    // An engine game is over, its message shown (see CEnginePlay::GameOver).
    void EndEngineGame(bool endingRow);
    // A help text shown while something lasts, then the message before it.
    void ShowHelpStatus(const QString &text);
    void HideHelpStatus(const QString &text);

    QElapsedTimer m_GameTime;
    bool m_bConfirmResign = true;
    QString m_statusBeforeHelp;
    CBGKibo *m_pBGKibo = nullptr;
    CEnginePlay *m_pEnginePlay = nullptr;
    QStringList recentFiles;
    ShogiView *view = nullptr;
    ShogiDoc *doc = nullptr;
    QTimer m_GameTimer;
    QLabel *m_pLabel = nullptr;
    QFrame *m_pFields[5] = {};
    QLabel *m_pFieldLabels[5] = {};
    KToolBar *m_ControlToolBar = nullptr, *m_MainToolBar = nullptr;
    bool m_bFirst = true;
    CommandTable *m_commands = nullptr;
    RecordStepper *m_stepper = nullptr;
    GameFiles *m_files = nullptr;
    QSoundEffect *m_pSound = nullptr;
    bool m_bNoSound = false;
    QWidget *m_pLogo = nullptr;
    CMoveEntry *m_pMoveEntry = nullptr;
    QPointer<CHelpWindow> m_pHelp;
};

#endif
