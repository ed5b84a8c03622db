#ifndef KORVANE_SHOGI_H
#define KORVANE_SHOGI_H

#include "Gloval.h"
#include "dochost.h"

#include <KMainWindow>
#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <QTimer>

class CBGKibo;
class KToolBar;
class QAction;
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
    // The command line's record file.
    void openDocumentFile(const QString &name);

    // CDocHost.
    void SetDocModified(bool modified) override;
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

    QElapsedTimer m_GameTime;
    bool m_bGameSetOK = false;
    CBGKibo *m_pBGKibo = nullptr;
    QStringList recentFiles;
    QMenu *fileMenu = nullptr, *gameMenu = nullptr, *kiboMenu = nullptr, *settingMenu = nullptr,
          *viewMenu = nullptr, *helpMenu = nullptr;
    ShogiView *view = nullptr;
    ShogiDoc *doc = nullptr;
    QTimer m_GameTimer;
    QLabel *m_pLabel = nullptr;
    QFrame *m_pFields[5] = {};
    QLabel *m_pFieldLabels[5] = {};
    KToolBar *m_ControlToolBar = nullptr, *m_MainToolBar = nullptr;
    bool m_bFirst = true;
    QHash<int, QAction *> m_commands;
    QSoundEffect *m_pSound = nullptr;
    bool m_bNoSound = false;
    QWidget *m_pLogo = nullptr;
};

#endif
