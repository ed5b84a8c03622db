#ifndef KORVANE_LANGUAGE_PRINT_H
#define KORVANE_LANGUAGE_PRINT_H

// Texts of the replay as played, the record sheet and the position diagram.
// One text per line, however long: the table is read, not reflowed.
// clang-format off

inline constexpr char JC_SpeedAsPlayed[] = "\xc2\xd0\xb6\xc9\xc4\xcc\xa4\xea"; // 対局通り
inline constexpr char JC_ReplayFactor[] = "\xc7\xdc\xce\xa8"; // 倍率
inline constexpr char JC_ReplayNoTimes[] = "\xa4\xb3\xa4\xce\xb4\xfd\xc9\xe8\xa4\xcb\xa4\xcf\xbe\xc3\xc8\xf1\xbb\xfe\xb4\xd6\xa4\xac\xa4\xa2\xa4\xea\xa4\xde\xa4\xbb\xa4\xf3\xa1\xa3\xc9\xb8\xbd\xe0\xa4\xce\xc2\xae\xc5\xd9\xa4\xc7\xba\xc6\xb8\xbd\xa4\xb7\xa4\xde\xa4\xb9\xa1\xa3"; // この棋譜には消費時間がありません。標準の速度で再現します。

inline constexpr char JC_FilePrint[] = "\xb4\xfd\xc9\xe8\xa4\xf2\xb0\xf5\xba\xfe(&P)..."; // 棋譜を印刷(&P)...
inline constexpr char JC_StaFilePrint[] = "\xb4\xfd\xc9\xe8\xcd\xd1\xbb\xe6\xa4\xf2\xb0\xf5\xba\xfe\xa4\xb7\xa4\xde\xa4\xb9"; // 棋譜用紙を印刷します
inline constexpr char JC_FilePrintDiagram[] = "\xb6\xc9\xcc\xcc\xbf\xde\xa4\xf2\xb0\xf5\xba\xfe(&D)..."; // 局面図を印刷(&D)...
inline constexpr char JC_StaFilePrintDiagram[] = "\xc8\xd7\xcc\xcc\xa4\xce\xb6\xc9\xcc\xcc\xbf\xde\xa4\xf2\xb0\xf5\xba\xfe\xa4\xb7\xa4\xde\xa4\xb9"; // 盤面の局面図を印刷します
inline constexpr char JC_FileExportDiagram[] = "\xb6\xc9\xcc\xcc\xbf\xde\xa4\xf2\xbd\xf1\xa4\xad\xbd\xd0\xa4\xb9(&E)..."; // 局面図を書き出す(&E)...
inline constexpr char JC_StaFileExportDiagram[] = "\xc8\xd7\xcc\xcc\xa4\xce\xb6\xc9\xcc\xcc\xbf\xde\xa4\xf2PDF\xa1\xa6SVG\xa1\xa6PNG\xa4\xc7\xca\xdd\xc2\xb8\xa4\xb7\xa4\xde\xa4\xb9"; // 盤面の局面図をPDF・SVG・PNGで保存します
inline constexpr char JC_FileCopyDiagram[] = "\xb6\xc9\xcc\xcc\xbf\xde\xa4\xf2\xa5\xb3\xa5\xd4\xa1\xbc(&C)"; // 局面図をコピー(&C)
inline constexpr char JC_StaFileCopyDiagram[] = "\xc8\xd7\xcc\xcc\xa4\xce\xb6\xc9\xcc\xcc\xbf\xde\xa4\xf2\xa5\xaf\xa5\xea\xa5\xc3\xa5\xd7\xa5\xdc\xa1\xbc\xa5\xc9\xa4\xcb\xa5\xb3\xa5\xd4\xa1\xbc\xa4\xb7\xa4\xde\xa4\xb9"; // 盤面の局面図をクリップボードにコピーします
inline constexpr char JC_DiagramFilter[] = "PDF (*.pdf);;SVG (*.svg);;PNG (*.png)"; // PDF (*.pdf);;SVG (*.svg);;PNG (*.png)
inline constexpr char JC_DiagramWidth[] = "PNG\xa4\xce\xc9\xfd(\xa5\xd4\xa5\xaf\xa5\xbb\xa5\xeb)"; // PNGの幅(ピクセル)
inline constexpr char JC_ExportFailed[] = "\xb6\xc9\xcc\xcc\xbf\xde\xa4\xf2\xbd\xf1\xa4\xad\xbd\xd0\xa4\xbb\xa4\xde\xa4\xbb\xa4\xf3\xa4\xc7\xa4\xb7\xa4\xbf\xa1\xa3"; // 局面図を書き出せませんでした。

inline constexpr char JC_SheetTitle[] = "\xb4\xfd\xc9\xe8"; // 棋譜
inline constexpr char JC_SheetDate[] = "\xc2\xd0\xb6\xc9\xc6\xfc"; // 対局日
inline constexpr char JC_SheetFirst[] = "\xc0\xe8\xbc\xea"; // 先手
inline constexpr char JC_SheetSecond[] = "\xb8\xe5\xbc\xea"; // 後手
inline constexpr char JC_SheetHandicap[] = "\xbc\xea\xb9\xe7"; // 手合
inline constexpr char JC_SheetResult[] = "\xb7\xeb\xb2\xcc"; // 結果
inline constexpr char JC_SheetNumber[] = "\xbc\xea\xbf\xf4"; // 手数
inline constexpr char JC_SheetMove[] = "\xbb\xd8\xbc\xea"; // 指手
inline constexpr char JC_SheetTime[] = "\xbe\xc3\xc8\xf1"; // 消費
inline constexpr char JC_SheetTotal[] = "\xce\xdf\xb7\xd7"; // 累計
inline constexpr char JC_SheetStart[] = "\xb3\xab\xbb\xcf\xb6\xc9\xcc\xcc"; // 開始局面
inline constexpr char JC_SheetPage[] = "%1 / %2 \xca\xc7"; // %1 / %2 頁

inline constexpr char JC_ResultWin[] = "\xa4\xde\xa4\xc7%1\xbc\xea\xa4\xc7%2\xa4\xce\xbe\xa1\xa4\xc1"; // まで%1手で%2の勝ち
inline constexpr char JC_ResultEnd[] = "\xa4\xde\xa4\xc7%1\xbc\xea\xa4\xc7%2"; // まで%1手で%2
inline constexpr char JC_ResultUpTo[] = "\xa4\xde\xa4\xc7%1\xbc\xea"; // まで%1手
inline constexpr char JC_EndInterrupt[] = "\xc3\xe6\xc3\xc7"; // 中断
inline constexpr char JC_EndRepetition[] = "\xc0\xe9\xc6\xfc\xbc\xea"; // 千日手
inline constexpr char JC_EndMaxPlies[] = "\xbb\xfd\xbe\xad\xb4\xfd"; // 持将棋

inline constexpr char JC_DiagramHand[] = "\xbb\xfd\xb6\xf0"; // 持駒
inline constexpr char JC_DiagramNone[] = "\xa4\xca\xa4\xb7"; // なし

// One character per piece kind 1..8, plain and promoted.
inline constexpr char JC_DiagramPieces[] = "\xca\xe2\xb9\xe1\xb7\xcb\xb6\xe4\xb6\xe2\xb3\xd1\xc8\xf4\xb6\xcc"; // 歩香桂銀金角飛玉
inline constexpr char JC_DiagramPromoted[] = "\xa4\xc8\xb0\xc9\xb7\xbd\xc1\xb4\xb6\xe2\xc7\xcf\xce\xb6\xb6\xcc"; // と杏圭全金馬龍玉

// clang-format on

#endif
