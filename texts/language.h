#ifndef KORVANE_LANGUAGE_H
#define KORVANE_LANGUAGE_H

// Every text the program shows, as EUC-JP bytes; the UTF-8 comment beside
// each is what it reads. New texts: tools/euc-literal NAME TEXT.
// Show them through JStr(), never by treating the bytes as Latin-1 or UTF-8.

#include <QString>

class QTextCodec;

// The one EUC-JP codec (fetched once, before main runs).
QTextCodec *JCodec();
QString JStr(const char *eucText);
// Inverse of JStr, for comparing a shown text with a stored one.
QByteArray JBytes(const QString &text);

// The language JStr shows. Japanese (the default) decodes every text as it is;
// English shows a text's entry in the English table instead, found by its
// bytes, so no caller changes. Set once at start-up, before any window.
enum class TextLanguage
{
    Japanese,
    English
};
void SetTextLanguage(TextLanguage language);
TextLanguage GetTextLanguage();

// One row of the English table: the JC_ name, its bytes and its English
// (UTF-8). The table is also read by the check that no text lacks English.
struct EnglishText
{
    const char *name;
    const char *euc;
    const char *english;
};
extern const EnglishText g_EnglishTexts[];
extern const int g_EnglishTextCount;

// One text per line, however long: the table is read, not reflowed.
// clang-format off

// Kanji numerals 1..19 (record window, board coordinates).
inline constexpr char JC_Num1[] = "\xb0\xec";          // 一
inline constexpr char JC_Num2[] = "\xc6\xf3";          // 二
inline constexpr char JC_Num3[] = "\xbb\xb0";          // 三
inline constexpr char JC_Num4[] = "\xbb\xcd";          // 四
inline constexpr char JC_Num5[] = "\xb8\xde";          // 五
inline constexpr char JC_Num6[] = "\xcf\xbb";          // 六
inline constexpr char JC_Num7[] = "\xbc\xb7";          // 七
inline constexpr char JC_Num8[] = "\xc8\xac";          // 八
inline constexpr char JC_Num9[] = "\xb6\xe5";          // 九
inline constexpr char JC_Num10[] = "\xbd\xbd";         // 十
inline constexpr char JC_Num11[] = "\xbd\xbd\xb0\xec"; // 十一
inline constexpr char JC_Num12[] = "\xbd\xbd\xc6\xf3"; // 十二
inline constexpr char JC_Num13[] = "\xbd\xbd\xbb\xb0"; // 十三
inline constexpr char JC_Num14[] = "\xbd\xbd\xbb\xcd"; // 十四
inline constexpr char JC_Num15[] = "\xbd\xbd\xb8\xde"; // 十五
inline constexpr char JC_Num16[] = "\xbd\xbd\xcf\xbb"; // 十六
inline constexpr char JC_Num17[] = "\xbd\xbd\xbc\xb7"; // 十七
inline constexpr char JC_Num18[] = "\xbd\xbd\xc8\xac"; // 十八
inline constexpr char JC_Num19[] = "\xbd\xbd\xb6\xe5"; // 十九

// Handicap names, by handicap number 0..5.
inline constexpr char JC_Pyongsu[] = "\xca\xbf\xbc\xea";                            // 平手
inline constexpr char JC_Hyangzi[] = "\xb9\xe1\xcd\xee\xa4\xc1";                    // 香落ち
inline constexpr char JC_Gakzi[] = "\xb3\xd1\xcd\xee\xa4\xc1";                      // 角落ち
inline constexpr char JC_Bicazi[] = "\xc8\xf4\xbc\xd6\xcd\xee\xa4\xc1";             // 飛車落ち
inline constexpr char JC_Bicahangzi[] = "\xc8\xf4\xbc\xd6\xb9\xe1\xcd\xee\xa4\xc1"; // 飛車香落ち
inline constexpr char JC_Twozi[] = "\xc6\xf3\xcb\xe7\xcd\xee\xa4\xc1";              // 二枚落ち

inline constexpr char JC_Untitled[] = "\xcc\xb5\xc2\xea"; // 無題
inline constexpr char JC_Korvane[] = "Korvane";           // Korvane

// Record files.
inline constexpr char JC_MsgIsModify[] = "\xb4\xfd\xc9\xe8\xa5\xd5\xa5\xa1\xa5\xa4\xa5\xeb\xa4\xd8\xa4\xce\xca\xd1\xb9\xb9\xa4\xf2\xca\xdd\xc2\xb8\xa4\xb7\xa4\xde\xa4\xb9\xa4\xab\xa1\xa9"; // 棋譜ファイルへの変更を保存しますか？
inline constexpr char JC_IncorrectKiboFile[] = "\xa4\xb3\xa4\xce\xa5\xd5\xa5\xa1\xa5\xa4\xa5\xeb\xa4\xcfKorvane\xb7\xc1\xbc\xb0\xa4\xce\xa5\xd5\xa5\xa1\xa5\xa4\xa5\xeb\xa4\xc7\xa4\xcf\xa4\xa2\xa4\xea\xa4\xde\xa4\xbb\xa4\xf3"; // このファイルはKorvane形式のファイルではありません

// Menus (main window).
inline constexpr char JC_FileMenu[] = "\xa5\xd5\xa5\xa1\xa5\xa4\xa5\xeb(&F)"; // ファイル(&F)
inline constexpr char JC_GameMenu[] = "\xc2\xd0\xb6\xc9(&P)"; // 対局(&P)
inline constexpr char JC_KiboMenu[] = "\xb4\xfd\xc9\xe8\xba\xc6\xb8\xbd(&C)"; // 棋譜再現(&C)
inline constexpr char JC_SettingMenu[] = "\xc0\xdf\xc4\xea(&S)"; // 設定(&S)
inline constexpr char JC_ViewMenu[] = "\xc9\xbd\xbc\xa8(&V)"; // 表示(&V)
inline constexpr char JC_HelpMenu[] = "\xa4\xd8\xa5\xeb\xa5\xd7(&H)"; // へルプ(&H)
inline constexpr char JC_FileOpen[] = "\xb4\xfd\xc9\xe8\xa5\xd5\xa5\xa1\xa5\xa4\xa5\xeb\xa4\xf2\xb3\xab\xa4\xaf(&O)"; // 棋譜ファイルを開く(&O)
inline constexpr char JC_FileSave[] = "\xbe\xe5\xbd\xf1\xa4\xad\xca\xdd\xc2\xb8(&S)"; // 上書き保存(&S)
inline constexpr char JC_FileSaveAs[] = "\xcc\xbe\xc1\xb0\xa4\xf2\xc9\xd5\xa4\xb1\xa4\xc6\xca\xdd\xc2\xb8(&A)"; // 名前を付けて保存(&A)
inline constexpr char JC_FileExit[] = "Korvane\xa4\xce\xbd\xaa\xce\xbb(&X)"; // Korvaneの終了(&X)
inline constexpr char JC_GameNewGame[] = "\xbf\xb7\xb5\xac\xc2\xd0\xb6\xc9(&N)"; // 新規対局(&N)
inline constexpr char JC_GameBreak[] = "\xc2\xd0\xb6\xc9\xc3\xe6\xc3\xc7(&B)"; // 対局中断(&B)
inline constexpr char JC_GameReplay[] = "\xc2\xd0\xb6\xc9\xba\xc6\xb3\xab(&R)"; // 対局再開(&R)
inline constexpr char JC_GameRetract[] = "\xc2\xd4\xa4\xc3\xa4\xbf(&M)"; // 待った(&M)
inline constexpr char JC_GameThrow[] = "\xc5\xea\xce\xbb(&T)"; // 投了(&T)
inline constexpr char JC_GameEditBoard[] = "\xc8\xd7\xcc\xcc\xca\xd4\xbd\xb8(&E)"; // 盤面編集(&E)
inline constexpr char JC_GameEditKill[] = "\xb6\xf0\xa4\xf2\xbc\xe8\xa4\xea\xb5\xee\xa4\xeb(&D)"; // 駒を取り去る(&D)
inline constexpr char JC_KiboFirst[] = "\xba\xc7\xbd\xe9\xa4\xcb\xcc\xe1\xa4\xb9(&F)"; // 最初に戻す(&F)
inline constexpr char JC_KiboBackOne[] = "\xb0\xec\xbc\xea\xcc\xe1\xa4\xb9(&B)"; // 一手戻す(&B)
inline constexpr char JC_KiboLast[] = "\xba\xc7\xb8\xe5\xa4\xcb\xc8\xf4\xa4\xd6(&L)"; // 最後に飛ぶ(&L)
inline constexpr char JC_KiboForwardOne[] = "\xb0\xec\xbc\xea\xbf\xca\xa4\xe0(&W)"; // 一手進む(&W)
inline constexpr char JC_KiboAutoReplay[] = "\xbc\xab\xc6\xb0\xba\xc6\xb8\xbd(&P)"; // 自動再現(&P)
inline constexpr char JC_KiboBreakReplay[] = "\xba\xc6\xc0\xb8\xa4\xf2\xc4\xe4\xbb\xdf(&S)"; // 再生を停止(&S)
inline constexpr char JC_SettingGame[] = "\xc2\xd0\xb6\xc9\xc0\xdf\xc4\xea(&S)"; // 対局設定(&S)
inline constexpr char JC_SettingOther[] = "\xa4\xbd\xa4\xce\xc2\xbe...(&O)"; // その他...(&O)
inline constexpr char JC_SettingMove[] = "\xb6\xf0\xa4\xac\xc6\xb0\xa4\xab\xa4\xbb\xa4\xeb\xbe\xec\xbd\xea\xa4\xf2\xbc\xa8\xa4\xb9(&G)"; // 駒が動かせる場所を示す(&G)
inline constexpr char JC_SettingFirstUp[] = "\xc0\xe8\xbc\xea\xb0\xcc\xc3\xd6\xa4\xf2\xb2\xbc\xa4\xcb\xc3\xd6\xa4\xaf(&L)"; // 先手位置を下に置く(&L)
inline constexpr char JC_ViewToolBar[] = "\xa5\xc4\xa1\xbc\xa5\xeb\xa5\xd0\xa1\xbc(&T)"; // ツールバー(&T)
inline constexpr char JC_ViewControlBar[] = "\xa5\xb3\xa5\xf3\xa5\xc8\xa5\xed\xa1\xbc\xa5\xe9(&C)"; // コントローラ(&C)
inline constexpr char JC_ViewStatusBar[] = "\xa5\xb9\xa5\xc6\xa1\xbc\xa5\xbf\xa5\xb9\xa5\xd0\xa1\xbc(&S)"; // ステータスバー(&S)
inline constexpr char JC_ViewKibo[] = "\xb4\xfd\xc9\xe8\xa5\xa6\xa5\xa3\xa5\xf3\xa5\xc9\xa5\xa6(&H)"; // 棋譜ウィンドウ(&H)
inline constexpr char JC_HelpTopic[] = "\xcc\xdc\xbc\xa1(&C)"; // 目次(&C)
inline constexpr char JC_HelpAboutVelmShogi[] = "\xa5\xd0\xa1\xbc\xa5\xb8\xa5\xe8\xa5\xf3\xbe\xf0\xca\xf3 (&A)"; // バージヨン情報 (&A)

// Tool-bar tips.
inline constexpr char JC_ToolBarNewGame[] = "\xbf\xb7\xb5\xac\xc2\xd0\xb6\xc9"; // 新規対局
inline constexpr char JC_ToolBarBreak[] = "\xc2\xd0\xb6\xc9\xc3\xe6\xc3\xc7"; // 対局中断
inline constexpr char JC_ToolBarReplay[] = "\xc2\xd0\xb6\xc9\xba\xc6\xb3\xab"; // 対局再開
inline constexpr char JC_ToolBarRetract[] = "\xc2\xd4\xa4\xc3\xa4\xbf"; // 待った
inline constexpr char JC_ToolBarThrow[] = "\xc5\xea\xce\xbb"; // 投了
inline constexpr char JC_ToolBarEditKill[] = "\xb6\xf0\xa4\xf2\xbc\xe8\xa4\xea\xb5\xee\xa4\xeb"; // 駒を取り去る
inline constexpr char JC_ToolBarFirst[] = "\xba\xc7\xbd\xe9\xa4\xcb\xcc\xe1\xa4\xb9"; // 最初に戻す
inline constexpr char JC_ToolBarBackOne[] = "\xb0\xec\xbc\xea\xcc\xe1\xa4\xb9"; // 一手戻す
inline constexpr char JC_ToolBarLast[] = "\xba\xc7\xb8\xe5\xa4\xcb\xc8\xf4\xa4\xd6"; // 最後に飛ぶ
inline constexpr char JC_ToolBarForwardOne[] = "\xb0\xec\xbc\xea\xbf\xca\xa4\xe0"; // 一手進む
inline constexpr char JC_ToolBarAutoReplay[] = "\xbc\xab\xc6\xb0\xba\xc6\xb8\xbd"; // 自動再現
inline constexpr char JC_ToolBarBreakReplay[] = "\xba\xc6\xc0\xb8\xa4\xf2\xc4\xe4\xbb\xdf"; // 再生を停止

// Status help of each command.
inline constexpr char JC_StaFileOpen[] = "\xb4\xfd\xc9\xe8\xa5\xd5\xa5\xa1\xa5\xa4\xa5\xeb\xa4\xf2\xb3\xab\xa4\xaf"; // 棋譜ファイルを開く
inline constexpr char JC_StaFileSave[] = "\xbe\xe5\xbd\xf1\xa4\xad\xca\xdd\xc2\xb8"; // 上書き保存
inline constexpr char JC_StaFileSaveAs[] = "\xcc\xbe\xc1\xb0\xa4\xf2\xc9\xd5\xa4\xb1\xa4\xc6\xca\xdd\xc2\xb8"; // 名前を付けて保存
inline constexpr char JC_StaFileExit[] = "Korvane\xa4\xce\xbd\xaa\xce\xbb"; // Korvaneの終了
inline constexpr char JC_StaGameNewGame[] = "\xbf\xb7\xb5\xac\xc2\xd0\xb6\xc9"; // 新規対局
inline constexpr char JC_StaGameBreak[] = "\xc2\xd0\xb6\xc9\xc3\xe6\xc3\xc7"; // 対局中断
inline constexpr char JC_StaGameReplay[] = "\xc2\xd0\xb6\xc9\xba\xc6\xb3\xab"; // 対局再開
inline constexpr char JC_StaGameRetract[] = "\xc2\xd4\xa4\xc3\xa4\xbf"; // 待った
inline constexpr char JC_StaGameThrow[] = "\xc5\xea\xce\xbb"; // 投了
inline constexpr char JC_StaGameEditBoard[] = "\xc8\xd7\xcc\xcc\xca\xd4\xbd\xb8"; // 盤面編集
inline constexpr char JC_StaGameEditKill[] = "\xb6\xf0\xa4\xf2\xbc\xe8\xa4\xea\xb5\xee\xa4\xeb"; // 駒を取り去る
inline constexpr char JC_StaKiboFirst[] = "\xba\xc7\xbd\xe9\xa4\xcb\xcc\xe1\xa4\xb9"; // 最初に戻す
inline constexpr char JC_StaKiboBackOne[] = "\xb0\xec\xbc\xea\xcc\xe1\xa4\xb9"; // 一手戻す
inline constexpr char JC_StaKiboLast[] = "\xba\xc7\xb8\xe5\xa4\xcb\xc8\xf4\xa4\xd6"; // 最後に飛ぶ
inline constexpr char JC_StaKiboForwardOne[] = "\xb0\xec\xbc\xea\xbf\xca\xa4\xe0"; // 一手進む
inline constexpr char JC_StaKiboAutoReplay[] = "\xbc\xab\xc6\xb0\xba\xc6\xb8\xbd"; // 自動再現
inline constexpr char JC_StaKiboBreakReplay[] = "\xba\xc6\xc0\xb8\xa4\xf2\xc4\xe4\xbb\xdf"; // 再生を停止
inline constexpr char JC_StaSettingGame[] = "\xc2\xd0\xb6\xc9\xc0\xdf\xc4\xea"; // 対局設定
inline constexpr char JC_StaSettingOther[] = "\xa4\xbd\xa4\xce\xc2\xbe..."; // その他...
inline constexpr char JC_StaSettingMove[] = "\xb6\xf0\xa4\xac\xc6\xb0\xa4\xab\xa4\xbb\xa4\xeb\xbe\xec\xbd\xea\xa4\xf2\xbc\xa8\xa4\xb9"; // 駒が動かせる場所を示す
inline constexpr char JC_StaSettingFirstUp[] = "\xc0\xe8\xbc\xea\xb0\xcc\xc3\xd6\xa4\xf2\xb2\xbc\xa4\xcb\xc3\xd6\xa4\xaf"; // 先手位置を下に置く
inline constexpr char JC_StaViewToolBar[] = "\xa5\xc4\xa1\xbc\xa5\xeb\xa5\xd0\xa1\xbc\xa4\xce\xc9\xbd\xbc\xa8/\xc8\xf3\xc9\xbd\xbc\xa8"; // ツールバーの表示/非表示
inline constexpr char JC_StaViewControlBar[] = "\xa5\xb3\xa5\xf3\xa5\xc8\xa5\xed\xa1\xbc\xa5\xe9\xa4\xce\xc9\xbd\xbc\xa8/\xc8\xf3\xc9\xbd\xbc\xa8"; // コントローラの表示/非表示
inline constexpr char JC_StaViewStatusBar[] = "\xa5\xb9\xa5\xc6\xa1\xbc\xa5\xbf\xa5\xb9\xa5\xd0\xa1\xbc\xa4\xce\xc9\xbd\xbc\xa8/\xc8\xf3\xc9\xbd\xbc\xa8"; // ステータスバーの表示/非表示
inline constexpr char JC_StaViewKibo[] = "\xb4\xfd\xc9\xe8\xa5\xa6\xa5\xa3\xa5\xf3\xa5\xc9\xa5\xa6\xa4\xce\xc9\xbd\xbc\xa8/\xc8\xf3\xc9\xbd\xbc\xa8"; // 棋譜ウィンドウの表示/非表示
inline constexpr char JC_StaHelpTopic[] = "\xcc\xdc\xbc\xa1"; // 目次
inline constexpr char JC_StaHelpAboutVelmShogi[] = "\xa5\xd0\xa1\xbc\xa5\xb8\xa5\xe8\xa5\xf3\xbe\xf0\xca\xf3"; // バージヨン情報

// Status bar.
inline constexpr char JC_KiboStart[] = "\xb3\xab\xbb\xcf"; // 開始
inline constexpr char JC_MSGFirstPlayerOrder[] = "\xc0\xe8\xbc\xea\xca\xfd\xa4\xce\xc8\xd6\xa4\xc7\xa4\xb9"; // 先手方の番です
inline constexpr char JC_MSGSecondPlayerOrder[] = "\xb8\xe5\xbc\xea\xca\xfd\xa4\xce\xc8\xd6\xa4\xc7\xa4\xb9"; // 後手方の番です
inline constexpr char JC_Human[] = "\xbf\xcd\xb4\xd6"; // 人間
inline constexpr char JC_Computer[] = "\xa5\xb3\xa5\xf3\xa5\xd4\xa5\xe5\xa1\xbc\xa5\xbf"; // コンピュータ
inline constexpr char JC_StaFirstUp[] = "\xc0\xe8\xbc\xea\xb0\xcc\xc3\xd6\xa4\xcf\xbe\xe5\xa4\xc7\xa4\xb9"; // 先手位置は上です
inline constexpr char JC_StaFirstDown[] = "\xc0\xe8\xbc\xea\xb0\xcc\xc3\xd6\xa4\xcf\xb2\xbc\xa4\xc7\xa4\xb9"; // 先手位置は下です

// Start-up.
inline constexpr char JC_NoResource[] = "\xb4\xc4\xb6\xad\xa4\xac\xc7\xcb\xb2\xf5\xa4\xb5\xa4\xec\xa4\xde\xa4\xb7\xa4\xbf"; // 環境が破壊されました

// Game results.
inline constexpr char JC_Utsifutumi[] = "\xc2\xc7\xa4\xc1\xca\xe2\xb5\xcd\xa4\xdf"; // 打ち歩詰み
inline constexpr char JC_KorvaneDefeated[] = "Korvane\xa4\xac\xc9\xe9\xa4\xb1\xa4\xde\xa4\xb7\xa4\xbf"; // Korvaneが負けました
inline constexpr char JC_KorvaneToryo[] = "Korvane\xa4\xac\xc5\xea\xce\xbb\xa4\xb7\xa4\xde\xa4\xb7\xa4\xbf"; // Korvaneが投了しました
inline constexpr char JC_KorvaneOte[] = "\xb2\xa6\xbc\xea"; // 王手
inline constexpr char JC_KorvaneWin[] = "Korvane\xa4\xac\xbe\xa1\xa4\xc1\xa4\xde\xa4\xb7\xa4\xbf"; // Korvaneが勝ちました
inline constexpr char JC_MSGFirstWin[] = "\xc0\xe8\xbc\xea\xa4\xac\xbe\xa1\xa4\xc1\xa4\xde\xa4\xb7\xa4\xbf"; // 先手が勝ちました
inline constexpr char JC_MSGSecondWin[] = "\xb8\xe5\xbc\xea\xa4\xac\xbe\xa1\xa4\xc1\xa4\xde\xa4\xb7\xa4\xbf"; // 後手が勝ちました

// Board.
inline constexpr char JC_MSGNotKillWang[] = "\xb2\xa6\xbe\xad\xa4\xcf\xbc\xe8\xa4\xea\xb5\xee\xa4\xeb\xa4\xb3\xa4\xc8\xa4\xac\xa4\xc7\xa4\xad\xa4\xde\xa4\xbb\xa4\xf3"; // 王将は取り去ることができません
inline constexpr char JC_IsKill[] = "\xcb\xdc\xc5\xf6\xa4\xcb\xbc\xe8\xa4\xea\xb5\xee\xa4\xea\xa4\xde\xa4\xb9\xa4\xab\xa1\xa9"; // 本当に取り去りますか？
inline constexpr char JC_IsNaru[] = "\xc0\xae\xa4\xea\xa4\xde\xa4\xb9\xa4\xab\xa1\xa9"; // 成りますか？

// Record window.
inline constexpr char JC_KiboWindow[] = "\xb4\xfd\xc9\xe8\xa5\xa6\xa5\xa3\xa5\xf3\xa5\xc9\xa5\xa6"; // 棋譜ウィンドウ

// Resuming a game and accepting an edited position.
inline constexpr char JC_MSGUnMoveKoma[] = "\xc6\xb0\xa4\xb1\xa4\xca\xa4\xa4\xb6\xf0\xa4\xac\xa4\xa2\xa4\xea\xa4\xde\xa4\xb9"; // 動けない駒があります
inline constexpr char JC_MSGTwoBo[] = "\xc6\xf3\xca\xe2\xa4\xac\xa4\xa2\xa4\xea\xa4\xde\xa4\xb9"; // 二歩があります
inline constexpr char JC_MSGAlreadyOte[] = "\xc9\xd4\xc4\xea\xa4\xca\xb6\xc9\xcc\xcc\xa4\xc7\xa4\xb9"; // 不定な局面です
inline constexpr char JC_MSGSureReplay[] = "\xa4\xb3\xa4\xb3\xa4\xcb\xba\xc6\xb3\xab\xa4\xb9\xa4\xeb\xa4\xc8\xb0\xca\xb8\xe5\xa4\xce\xa5\xc7\xa1\xbc\xa5\xbf\xa4\xcf\xcc\xb5\xb8\xfa\xa4\xcb\xa4\xca\xa4\xea\xa4\xde\xa4\xb9\x0a\xcb\xdc\xc5\xf6\xa4\xcb\xba\xc6\xb3\xab\xa4\xf2\xa4\xb7\xa4\xde\xa4\xb9\xa4\xab\xa1\xa9"; // ここに再開すると以後のデータは無効になります / 本当に再開をしますか？

// Files and help.
inline constexpr char JC_MSGHelpAbout[] = "Korvane\x0a\xa5\xd0\xa1\xbc\xa5\xb8\xa5\xe8\xa5\xf3 1.0"; // Korvane / バージヨン 1.0
inline constexpr char JC_MSGSaveFailed[] = "\xb4\xfd\xc9\xe8\xa5\xd5\xa5\xa1\xa5\xa4\xa5\xeb\xa4\xf2\xca\xdd\xc2\xb8\xa4\xc7\xa4\xad\xa4\xde\xa4\xbb\xa4\xf3\xa4\xc7\xa4\xb7\xa4\xbf"; // 棋譜ファイルを保存できませんでした
inline constexpr char JC_MSGNoHelp[] = "\xa5\xd8\xa5\xeb\xa5\xd7\xa5\xd5\xa5\xa1\xa5\xa4\xa5\xeb\xa4\xac\xb8\xab\xa4\xc4\xa4\xab\xa4\xea\xa4\xde\xa4\xbb\xa4\xf3"; // ヘルプファイルが見つかりません

// Record window rows.
inline constexpr char JC_FirstSign[] = "\xa2\xa5"; // ▲
inline constexpr char JC_SecondSign[] = "\xa2\xa4"; // △
inline constexpr char JC_Dong[] = "\xc6\xb1"; // 同
inline constexpr char JC_Song[] = "\xc0\xae"; // 成
inline constexpr char JC_Bul[] = "\xc9\xd4"; // 不
inline constexpr char JC_UBo[] = "\xca\xe2"; // 歩
inline constexpr char JC_UHyang[] = "\xb9\xe1"; // 香
inline constexpr char JC_UGyoe[] = "\xb7\xcb"; // 桂
inline constexpr char JC_UUn[] = "\xb6\xe4"; // 銀
inline constexpr char JC_UGum[] = "\xb6\xe2"; // 金
inline constexpr char JC_UGak[] = "\xb3\xd1"; // 角
inline constexpr char JC_UBi[] = "\xc8\xf4"; // 飛
inline constexpr char JC_UWang[] = "\xb2\xa6"; // 王
inline constexpr char JC_BBo[] = "\xa4\xc8"; // と
inline constexpr char JC_BHyang[] = "\xc0\xae\xb9\xe1"; // 成香
inline constexpr char JC_BGyoe[] = "\xc0\xae\xb7\xcb"; // 成桂
inline constexpr char JC_BUn[] = "\xc0\xae\xb6\xe4"; // 成銀
inline constexpr char JC_BGum[] = "\xb6\xe2"; // 金
inline constexpr char JC_BGak[] = "\xc7\xcf"; // 馬
inline constexpr char JC_BBi[] = "\xce\xb6"; // 龍
inline constexpr char JC_BWang[] = "\xb2\xa6"; // 王

// Game dialog.
inline constexpr char JC_First[] = "\xc0\xe8\xbc\xea"; // 先手
inline constexpr char JC_Second[] = "\xb8\xe5\xbc\xea"; // 後手
inline constexpr char JC_ComputerLevel[] = "\xa5\xb3\xa5\xf3\xa5\xd4\xa5\xe5\xa1\xbc\xa5\xbf\xa4\xce\xa5\xec\xa5\xd9\xa5\xeb"; // コンピュータのレベル
inline constexpr char JC_LevelLow[] = "\xb2\xbc\xb5\xe9"; // 下級
inline constexpr char JC_LevelHigh[] = "\xbe\xe5\xb5\xe9"; // 上級
inline constexpr char JC_LevelTop[] = "\xba\xc7\xbe\xe5\xb5\xe9"; // 最上級
inline constexpr char JC_Teai[] = "\xbc\xea\xb9\xe7\xb3\xe4"; // 手合割
inline constexpr char JC_KomaSelect[] = "\xb6\xf0\xa4\xce\xc1\xaa\xc2\xf2"; // 駒の選択
inline constexpr char JC_KomaTwo[] = "\xc6\xf3\xca\xb8\xbb\xfa\xb6\xf0\xa4\xf2\xbb\xc8\xa4\xa6"; // 二文字駒を使う
inline constexpr char JC_KomaOne[] = "\xb0\xec\xca\xb8\xbb\xfa\xb6\xf0\xa4\xf2\xbb\xc8\xa4\xa6"; // 一文字駒を使う
inline constexpr char JC_OK[] = "OK"; // OK
inline constexpr char JC_Cancel[] = "Cancel"; // Cancel

// Other-settings dialog.
inline constexpr char JC_KiboReplay[] = "\xb4\xfd\xc9\xe8\xba\xc6\xb8\xbd"; // 棋譜再現
inline constexpr char JC_OpenFirst[] = "\xbd\xe9\xb4\xfc\xbe\xf5\xc2\xd6\xa4\xc7\xb3\xab\xa4\xaf"; // 初期状態で開く
inline constexpr char JC_OpenLast[] = "\xba\xc7\xbd\xaa\xbe\xf5\xc2\xd6\xa4\xc7\xb3\xab\xa4\xaf"; // 最終状態で開く
inline constexpr char JC_AutoReplay[] = "\xbc\xab\xc6\xb0\xba\xc6\xb8\xbd"; // 自動再現
inline constexpr char JC_ReplaySpeed[] = "\xba\xc6\xb8\xbd\xc2\xae\xc5\xd9"; // 再現速度
inline constexpr char JC_SpeedMostSlow[] = "\xba\xc7\xa4\xe2\xc3\xd9\xa4\xa4"; // 最も遅い
inline constexpr char JC_SpeedSlow[] = "\xc3\xd9\xa4\xa4"; // 遅い
inline constexpr char JC_SpeedStandard[] = "\xc9\xb8\xbd\xe0"; // 標準
inline constexpr char JC_SpeedFast[] = "\xc1\xe1\xa4\xa4"; // 早い
inline constexpr char JC_SpeedMostFast[] = "\xba\xc7\xa4\xe2\xc1\xe1\xa4\xa4"; // 最も早い
inline constexpr char JC_SuView[] = "\xc4\xbe\xc1\xb0\xa4\xce\xb0\xec\xbc\xea\xa4\xf2\xbc\xa8\xa4\xb9"; // 直前の一手を示す
inline constexpr char JC_InformateWangSu[] = "\xb2\xa6\xbc\xea\xa4\xf2\xb9\xf0\xa4\xb2\xa4\xeb"; // 王手を告げる
inline constexpr char JC_DanView[] = "\xb6\xda\xa1\xa6\xc3\xca\xa4\xce\xc9\xbd\xbc\xa8"; // 筋・段の表示
inline constexpr char JC_Sound[] = "\xb8\xfa\xb2\xcc\xb2\xbb\xa4\xf2\xbd\xd0\xa4\xb9"; // 効果音を出す
// clang-format on

#include "language_print.h"
#include "language_english.h"
#include "language_firsthour.h"
#include "language_records.h"
#include "language_study.h"
#include "language_engines.h"

#endif
