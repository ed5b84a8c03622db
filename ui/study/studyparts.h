#ifndef KORVANE_STUDYPARTS_H
#define KORVANE_STUDYPARTS_H

class CBoardFrame;
class CKiboWidget;
class QAction;
class QMainWindow;
class QMenu;
class ShogiDoc;

// The main window's parts the study works with; the window owns them all and
// outlives the study.
struct StudyParts
{
    QMainWindow *window = nullptr; // its docks, boxes and keys
    ShogiDoc *doc = nullptr;
    CBoardFrame *board = nullptr;  // hint marks and the line preview
    CKiboWidget *record = nullptr; // marks on the record's rows
    QMenu *gameMenu = nullptr, *recordMenu = nullptr, *settingMenu = nullptr;
    // The record's stepping commands: their keys step a line, and while
    // neither is enabled the record is not at rest.
    const QAction *backOne = nullptr, *forwardOne = nullptr;
};

#endif
