#ifndef KORVANE_CENGINESDLG_H
#define KORVANE_CENGINESDLG_H

#include "enginelist.h"

#include <QDialog>
#include <QVector>

#include <memory>

class QListWidget;
class QPushButton;
class QWidget;

// The registered engines as the configuration keeps them.
QVector<usic::EngineEntry> LoadEngineList();
void SaveEngineList(const QVector<usic::EngineEntry> &engines);

// Settings > Engines: add (the program is started once and must answer),
// edit options, remove. Saves on every change. Deletes itself when closed.
class CEnginesDLG : public QDialog
{
    Q_OBJECT
public:
    explicit CEnginesDLG(QWidget *parent);
    // Registers path as Add does, without the file dialog.
    void AddPath(const QString &path);

signals:
    void probed(bool ok); // an addition has been decided

private:
    void Fill();
    void Add();
    void Remove();
    void EditOptions();

    QVector<usic::EngineEntry> m_engines;
    QListWidget *m_list;
    QPushButton *m_add, *m_remove, *m_options;
    std::unique_ptr<usic::EngineProbe> m_probe;
};

// An engine's options, one field per option line: check box, spin box,
// choice list, text (and a file chooser for a file name), button.
class CEngineOptionsDLG : public QDialog
{
    Q_OBJECT
public:
    CEngineOptionsDLG(usic::EngineEntry &entry, QWidget *parent);

private:
    void Accept();

    usic::EngineEntry &m_entry;
    QVector<std::function<QString()>> m_read; // per option: the value chosen
};

#endif
