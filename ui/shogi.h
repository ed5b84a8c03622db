#ifndef KORVANE_SHOGI_H
#define KORVANE_SHOGI_H

#include "Gloval.h"
#include "dochost.h"

#include <KMainWindow>
#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <QTimer>
#include <initializer_list>

class CBGKibo;
class CEnginePlay;
class KConfigGroup;
class KToolBar;
class QAction;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QSoundEffect;
class ShogiDoc;
class ShogiView;

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
    CEnginePlay *GetEnginePlay() const { return m_pEnginePlay; }

    // Command switch.
    void enableCommand(int id) override;
    void disableCommand(int id) override;
    QAction *Command(int id) const { return m_commands.value(id); }
    QMenu *Menu(int index) const;

    void SetStatusMessage(const QString &text);
    QString StatusMessage() const;
    void SetGameStatus(BYTE s);
    void UpdateStatusBar();
    void ViewTime();
    QString FieldText(int field) const; // 0 position .. 4 second player's time
    void PlaySoundPutKoma();
    // A record file named on the command line or by the desktop.
    void openDocumentFile(const QString &name);
    // name with ".kvn" appended unless it already ends so.
    static QString ChangeFileNameToKVN(const QString &name);
    // Checks an edited position: 1 a piece that can never move, 2 two pawns
    // of a side in a column, 4 the side not to move in check, 3 accepted (the
    // position becomes the record's start).
    BYTE FromEditToPlay();
    void SetGameSetOK(bool ok) { m_bGameSetOK = ok; }
    void readOptions();
    void saveOptions();
    // Whether a one-second record step is waiting to be shown.
    bool IsForwardStepPending() const { return m_nKiboForwardTimer != 0; }

    // CDocHost.
    void SetDocModified(bool modified) override;
    void ReportSaveFailed(const QString &fileName) override;
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
    void MostSlowTimeOut();
    void SlowTimeOut();
    void StandardTimeOut();
    void FastTimeOut();
    void MostFastTimeOut();

    void slotFileOpen();
    void slotFileSave();
    void slotFileSaveAs() override;
    void slotFileExit();
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
    void slotViewToolBar();
    void slotViewControlBar();
    void slotViewStatusBar();
    void slotViewKibo();
    void slotHelpTopic();
    void slotHelpAboutVelmShogi();

protected:
    bool queryClose() override;
    bool queryExit();
    void saveProperties(KConfigGroup &config) override;
    void readProperties(const KConfigGroup &config) override;
    void timerEvent(QTimerEvent *e) override;

private:
    struct CommandInfo;
    static const CommandInfo *FindCommand(int id);
    void DrawLogo();
    void initMenuBar();
    void initToolBar();
    void initStatusBar();
    void initDocument();
    void initView();
    void AddToolButton(KToolBar *bar, int id, int size);
    void SetCaptionFromDocument();
    // A view command: shows or hides w by the check mark of id.
    void ToggleShown(int id, QWidget *w);
    void ShowPlayerTime(BYTE player, int seconds);
    void SetEnabled(std::initializer_list<int> ids, bool on);
    // Record replay.
    void ReplayTick(BYTE speed);
    void FinishForwardStep();
    void CancelForwardStep();
    // A computer move shown lifted goes into the record before a command
    // changes the game under it.
    void FinishShownComputerMove();
    // Files.
    void ShowOpenedRecord();
    bool SaveTo(const QString &name);
    void RunSettingDialog(QDialog *dialog);

    QElapsedTimer m_GameTime;
    bool m_bGameSetOK = false;
    CBGKibo *m_pBGKibo = nullptr;
    CEnginePlay *m_pEnginePlay = nullptr;
    QStringList recentFiles;
    QMenu *fileMenu = nullptr, *gameMenu = nullptr, *kiboMenu = nullptr, *settingMenu = nullptr,
          *viewMenu = nullptr, *helpMenu = nullptr;
    ShogiView *view = nullptr;
    ShogiDoc *doc = nullptr;
    QTimer m_MostSlowTimer, m_SlowTimer, m_StandardTimer, m_FastTimer, m_MostFastTimer;
    QTimer m_GameTimer;
    QLabel *m_pLabel = nullptr;
    QFrame *m_pFields[5] = {};
    QLabel *m_pFieldLabels[5] = {};
    KToolBar *m_ControlToolBar = nullptr, *m_MainToolBar = nullptr;
    int m_nKiboForwardTimer = 0;
    bool m_bFirst = true;
    QHash<int, QAction *> m_commands;
    QSoundEffect *m_pSound = nullptr;
    bool m_bNoSound = false;
    QWidget *m_pLogo = nullptr;
};

// 10 while a replay step started by a speed timer is pending, 100 after a
// step has completed.
extern BYTE g_byAutoTemp;

#endif
