#ifndef KORVANE_COMMANDID_H
#define KORVANE_COMMANDID_H

// Every command of the main window has one id, shared by its menu item, its
// tool-bar button, its shortcuts and the handler that answers it. The values
// are those the commands were first given; a command added later takes a
// value from a free range (the study commands keep theirs beside their
// controller, 16300-16369).
namespace cmd {
enum Id : int
{
    // File menu.
    FileOpen = 10010,
    FileSave = 10020,
    FileSaveAs = 10030,
    FileExit = 10050,
    FilePrint = 16400,
    FilePrintDiagram = 16410,
    FileExportDiagram = 16420,
    FileCopyDiagram = 16430,
    // Game menu.
    GameNew = 11010,
    GameBreak = 11020,
    GameResume = 11030, // play on from the position on screen
    GameRetract = 11040,
    GameResign = 11050,
    GameEditBoard = 11060,
    GameEditRemove = 11070, // while editing: a click takes a piece off
    GameDeclare = 16210,
    CopyRecord = 16100,
    CopyPosition = 16101,
    PasteRecord = 16102,
    // Record menu.
    RecordFirst = 12010,
    RecordBack = 12020,
    RecordLast = 12030,
    RecordForward = 12040,
    RecordReplay = 12050,
    RecordStopReplay = 12060,
    // Settings menu.
    SettingGame = 13010,
    SettingOther = 13020,
    SettingEngines = 16220,
    SettingShowMoves = 13030,
    SettingFirstUp = 13040,
    SettingLanguage = 16500,
    // View menu.
    ViewToolBar = 14010,
    ViewControlBar = 14040,
    ViewStatusBar = 14020,
    ViewRecord = 14050,
    // Help menu.
    HelpTopic = 15020,
    HelpAbout = 15010,
};
} // namespace cmd

#endif
