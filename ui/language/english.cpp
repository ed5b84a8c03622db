// The English of every JC_ text. Rows are found by bytes, so texts with the
// same Japanese bytes must read the same in English (the table check holds
// it). Japanese notation (numerals, piece names, the move signs) stays
// Japanese in either language: it is what the Japanese notation is made of.

#include "language.h"

#define KV_EN(name, english) {#name, name, english}

// clang-format off
const EnglishText g_EnglishTexts[] = {
    // Japanese notation: the same in both languages.
    KV_EN(JC_Num1, "一"), KV_EN(JC_Num2, "二"), KV_EN(JC_Num3, "三"), KV_EN(JC_Num4, "四"),
    KV_EN(JC_Num5, "五"), KV_EN(JC_Num6, "六"), KV_EN(JC_Num7, "七"), KV_EN(JC_Num8, "八"),
    KV_EN(JC_Num9, "九"), KV_EN(JC_Num10, "十"), KV_EN(JC_Num11, "十一"), KV_EN(JC_Num12, "十二"),
    KV_EN(JC_Num13, "十三"), KV_EN(JC_Num14, "十四"), KV_EN(JC_Num15, "十五"),
    KV_EN(JC_Num16, "十六"), KV_EN(JC_Num17, "十七"), KV_EN(JC_Num18, "十八"),
    KV_EN(JC_Num19, "十九"),
    KV_EN(JC_FirstSign, "▲"), KV_EN(JC_SecondSign, "△"),
    KV_EN(JC_Dong, "同"), KV_EN(JC_Song, "成"), KV_EN(JC_Bul, "不"),
    KV_EN(JC_UBo, "歩"), KV_EN(JC_UHyang, "香"), KV_EN(JC_UGyoe, "桂"), KV_EN(JC_UUn, "銀"),
    KV_EN(JC_UGum, "金"), KV_EN(JC_UGak, "角"), KV_EN(JC_UBi, "飛"), KV_EN(JC_UWang, "王"),
    KV_EN(JC_BBo, "と"), KV_EN(JC_BHyang, "成香"), KV_EN(JC_BGyoe, "成桂"), KV_EN(JC_BUn, "成銀"),
    KV_EN(JC_BGum, "金"), KV_EN(JC_BGak, "馬"), KV_EN(JC_BBi, "龍"), KV_EN(JC_BWang, "王"),

    // Handicaps.
    KV_EN(JC_Pyongsu, "Even game"),
    KV_EN(JC_Hyangzi, "Lance handicap"),
    KV_EN(JC_Gakzi, "Bishop handicap"),
    KV_EN(JC_Bicazi, "Rook handicap"),
    KV_EN(JC_Bicahangzi, "Rook and lance handicap"),
    KV_EN(JC_Twozi, "Two-piece handicap"),

    KV_EN(JC_Untitled, "Untitled"),
    KV_EN(JC_Korvane, "Korvane"),

    // Record files.
    KV_EN(JC_MsgIsModify, "Save the changes to the game record?"),
    KV_EN(JC_IncorrectKiboFile, "This file is not a Korvane game record"),

    // Menus.
    KV_EN(JC_FileMenu, "&File"),
    KV_EN(JC_GameMenu, "&Play"),
    KV_EN(JC_KiboMenu, "&Record"),
    KV_EN(JC_SettingMenu, "&Settings"),
    KV_EN(JC_ViewMenu, "&View"),
    KV_EN(JC_HelpMenu, "&Help"),
    KV_EN(JC_FileOpen, "&Open Game Record..."),
    KV_EN(JC_FileSave, "&Save"),
    KV_EN(JC_FileSaveAs, "Save &As..."),
    KV_EN(JC_FileExit, "&Quit Korvane"),
    KV_EN(JC_GameNewGame, "&New Game..."),
    KV_EN(JC_GameBreak, "&Break Off Game"),
    KV_EN(JC_GameReplay, "&Resume Game Here"),
    KV_EN(JC_GameRetract, "Take &Back"),
    KV_EN(JC_GameThrow, "Re&sign"),
    KV_EN(JC_GameEditBoard, "&Edit Position"),
    KV_EN(JC_GameEditKill, "Remove &Pieces"),
    KV_EN(JC_KiboFirst, "To the &Start"),
    KV_EN(JC_KiboBackOne, "&Back One Move"),
    KV_EN(JC_KiboLast, "To the &End"),
    KV_EN(JC_KiboForwardOne, "&Forward One Move"),
    KV_EN(JC_KiboAutoReplay, "Re&play"),
    KV_EN(JC_KiboBreakReplay, "&Stop Replay"),
    KV_EN(JC_SettingGame, "&Game Settings..."),
    KV_EN(JC_SettingOther, "&Other..."),
    KV_EN(JC_SettingMove, "Show Where a Piece Can &Go"),
    KV_EN(JC_SettingFirstUp, "First Player at the Botto&m"),
    KV_EN(JC_ViewToolBar, "&Tool Bar"),
    KV_EN(JC_ViewControlBar, "&Controller"),
    KV_EN(JC_ViewStatusBar, "&Status Bar"),
    KV_EN(JC_ViewKibo, "Record &Window"),
    KV_EN(JC_HelpTopic, "&Contents"),
    KV_EN(JC_HelpAboutVelmShogi, "&About Korvane"),

    // Tool-bar tips.
    KV_EN(JC_ToolBarNewGame, "New game"),
    KV_EN(JC_ToolBarBreak, "Break off game"),
    KV_EN(JC_ToolBarReplay, "Resume game here"),
    KV_EN(JC_ToolBarRetract, "Take back"),
    KV_EN(JC_ToolBarThrow, "Resign"),
    KV_EN(JC_ToolBarEditKill, "Remove pieces"),
    KV_EN(JC_ToolBarFirst, "To the start"),
    KV_EN(JC_ToolBarBackOne, "Back one move"),
    KV_EN(JC_ToolBarLast, "To the end"),
    KV_EN(JC_ToolBarForwardOne, "Forward one move"),
    KV_EN(JC_ToolBarAutoReplay, "Replay"),
    KV_EN(JC_ToolBarBreakReplay, "Stop replay"),

    // Status help.
    KV_EN(JC_StaFileOpen, "Open a game record"),
    KV_EN(JC_StaFileSave, "Save"),
    KV_EN(JC_StaFileSaveAs, "Save under a new name"),
    KV_EN(JC_StaFileExit, "Quit Korvane"),
    KV_EN(JC_StaGameNewGame, "New game"),
    KV_EN(JC_StaGameBreak, "Break off game"),
    KV_EN(JC_StaGameReplay, "Resume game here"),
    KV_EN(JC_StaGameRetract, "Take back"),
    KV_EN(JC_StaGameThrow, "Resign"),
    KV_EN(JC_StaGameEditBoard, "Edit the position"),
    KV_EN(JC_StaGameEditKill, "Remove pieces"),
    KV_EN(JC_StaKiboFirst, "To the start"),
    KV_EN(JC_StaKiboBackOne, "Back one move"),
    KV_EN(JC_StaKiboLast, "To the end"),
    KV_EN(JC_StaKiboForwardOne, "Forward one move"),
    KV_EN(JC_StaKiboAutoReplay, "Replay"),
    KV_EN(JC_StaKiboBreakReplay, "Stop replay"),
    KV_EN(JC_StaSettingGame, "Game settings"),
    KV_EN(JC_StaSettingOther, "Other settings..."),
    KV_EN(JC_StaSettingMove, "Show where a piece can go"),
    KV_EN(JC_StaSettingFirstUp, "First player at the bottom"),
    KV_EN(JC_StaViewToolBar, "Show or hide the tool bar"),
    KV_EN(JC_StaViewControlBar, "Show or hide the controller"),
    KV_EN(JC_StaViewStatusBar, "Show or hide the status bar"),
    KV_EN(JC_StaViewKibo, "Show or hide the record window"),
    KV_EN(JC_StaHelpTopic, "Contents"),
    KV_EN(JC_StaHelpAboutVelmShogi, "About Korvane"),

    // Status bar.
    KV_EN(JC_KiboStart, "Start"),
    KV_EN(JC_MSGFirstPlayerOrder, "First player (Black) to move"),
    KV_EN(JC_MSGSecondPlayerOrder, "Second player (White) to move"),
    KV_EN(JC_Human, "Human"),
    KV_EN(JC_Computer, "Computer"),
    KV_EN(JC_StaFirstUp, "First player at the top"),
    KV_EN(JC_StaFirstDown, "First player at the bottom"),

    KV_EN(JC_NoResource, "The installation is damaged"),

    // Game results.
    KV_EN(JC_Utsifutumi, "Mate by a pawn drop"),
    KV_EN(JC_KorvaneDefeated, "Korvane lost"),
    KV_EN(JC_KorvaneToryo, "Korvane resigned"),
    KV_EN(JC_KorvaneOte, "Check"),
    KV_EN(JC_KorvaneWin, "Korvane won"),
    KV_EN(JC_MSGFirstWin, "The first player (Black) won"),
    KV_EN(JC_MSGSecondWin, "The second player (White) won"),

    // Board.
    KV_EN(JC_MSGNotKillWang, "A king cannot be removed"),
    KV_EN(JC_IsKill, "Really remove this piece?"),
    KV_EN(JC_IsNaru, "Promote?"),

    KV_EN(JC_KiboWindow, "Record"),

    // Resuming and edited positions.
    KV_EN(JC_MSGUnMoveKoma, "A piece stands where it can never move"),
    KV_EN(JC_MSGTwoBo, "Two unpromoted pawns of one side in a file"),
    KV_EN(JC_MSGAlreadyOte, "Not a valid position"),
    KV_EN(JC_MSGSureReplay, "Resuming here discards the moves after it.\nReally resume here?"),

    // Files and help.
    KV_EN(JC_MSGHelpAbout, "Korvane\nVersion 1.0"),
    KV_EN(JC_MSGSaveFailed, "The game record could not be saved"),
    KV_EN(JC_MSGNoHelp, "The help file cannot be found"),

    // Game dialog.
    KV_EN(JC_First, "First player (Black)"),
    KV_EN(JC_Second, "Second player (White)"),
    KV_EN(JC_ComputerLevel, "Computer strength"),
    KV_EN(JC_LevelLow, "Beginner"),
    KV_EN(JC_LevelHigh, "Advanced"),
    KV_EN(JC_LevelTop, "Expert"),
    KV_EN(JC_Teai, "Handicap"),
    KV_EN(JC_KomaSelect, "Pieces"),
    KV_EN(JC_KomaTwo, "Two-character pieces"),
    KV_EN(JC_KomaOne, "One-character pieces"),
    KV_EN(JC_OK, "OK"),
    KV_EN(JC_Cancel, "Cancel"),

    // Other-settings dialog.
    KV_EN(JC_KiboReplay, "Opening a record"),
    KV_EN(JC_OpenFirst, "At the start"),
    KV_EN(JC_OpenLast, "At the end"),
    KV_EN(JC_AutoReplay, "Replay"),
    KV_EN(JC_ReplaySpeed, "Replay speed"),
    KV_EN(JC_SpeedMostSlow, "Slowest"),
    KV_EN(JC_SpeedSlow, "Slow"),
    KV_EN(JC_SpeedStandard, "Normal"),
    KV_EN(JC_SpeedFast, "Fast"),
    KV_EN(JC_SpeedMostFast, "Fastest"),
    KV_EN(JC_SuView, "Mark the last move"),
    KV_EN(JC_InformateWangSu, "Announce check"),
    KV_EN(JC_DanView, "Show file and rank numbers"),
    KV_EN(JC_Sound, "Sound effects"),

    // Language and notation dialog.
    KV_EN(JC_SettingLanguage, "&Language and Notation..."),
    KV_EN(JC_StaSettingLanguage, "Language, move notation and piece letters"),
    KV_EN(JC_Language, "Language"),
    KV_EN(JC_LangDesktop, "As the desktop"),
    KV_EN(JC_LangJapanese, "日本語 (Japanese)"),
    KV_EN(JC_LangEnglish, "English"),
    KV_EN(JC_Notation, "Move notation"),
    KV_EN(JC_NotationJapanese, "Japanese (7六歩)"),
    KV_EN(JC_NotationWestern, "Western (P-7f)"),
    KV_EN(JC_WesternPieces, "Western letters on the pieces"),
    KV_EN(JC_LanguageNextStart, "The language changes when Korvane next starts"),

    // Typed moves.
    KV_EN(JC_TypedMove, "&Move:"),
    KV_EN(JC_TypedMoveTip, "Type a move and press Enter (e.g. P-7f, Bx2b+, S*5e, 7g7f)"),
    KV_EN(JC_MoveUnreadable, "Not a move: write it as P-7f, Bx2b+, S*5e or 7g7f"),
    KV_EN(JC_MoveNotNow, "No move can be made now"),
    KV_EN(JC_MoveNoPiece, "No such piece can go there"),
    KV_EN(JC_MoveAmbiguous, "More than one such piece can go there: add the square it leaves"),
    KV_EN(JC_MoveChoosePromotion, "Add + to promote or = not to"),
    KV_EN(JC_MoveCannotPromote, "That piece cannot promote on this move"),
    KV_EN(JC_MoveMustPromote, "That piece must promote on this move"),
    KV_EN(JC_MoveKingLeftInCheck, "That move leaves the king in check"),
    KV_EN(JC_MoveNotInHand, "That piece is not in hand"),
    KV_EN(JC_MoveCannotDrop, "That piece cannot be dropped there"),
};
// clang-format on

const int g_EnglishTextCount = int(sizeof g_EnglishTexts / sizeof g_EnglishTexts[0]);
