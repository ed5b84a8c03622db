#ifndef KORVANE_GENDATA_ART_H
#define KORVANE_GENDATA_ART_H

#include <QImage>
#include <QString>
#include <vector>

QImage paintBoard();
QImage paintStand();
QImage paintLogo();
QImage paintAppIcon(int size);

// Tool-bar buttons: the game commands are drawn as a piece with a sign on it,
// the record commands as player controls.
enum class IconSign
{
    Plus,
    Pause,
    Play,
    Undo,
    Flag,
    Cross,
    First,
    Back,
    Forward,
    Last,
    Auto,
    Stop
};

struct ToolIcon
{
    QString fileName;
    int size;
    IconSign sign;
};

std::vector<ToolIcon> toolIcons();
QImage paintToolIcon(const ToolIcon &icon);

#endif
