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

#endif
