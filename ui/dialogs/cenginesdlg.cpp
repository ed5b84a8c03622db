#include "cenginesdlg.h"

#include "desktopcalls.h"
#include "language.h"
#include "messagebox.h"

#include <KConfigGroup>
#include <KSharedConfig>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const char kGroup[] = "Engines";

} // namespace

QVector<usic::EngineEntry> LoadEngineList()
{
    const KConfigGroup g = KSharedConfig::openConfig()->group(kGroup);
    QVector<usic::EngineEntry> out;
    const int n = g.readEntry("Count", 0);
    for (int i = 0; i < n; i++) {
        const KConfigGroup e = g.group(QStringLiteral("Engine%1").arg(i));
        usic::EngineEntry entry;
        entry.path = e.readEntry("Path", QString());
        if (entry.path.isEmpty())
            continue;
        entry.name = e.readEntry("Name", entry.path);
        entry.author = e.readEntry("Author", QString());
        entry.options = usic::OptionsFromLines(e.readEntry("Options", QStringList()));
        const QStringList values = e.readEntry("Values", QStringList());
        for (const QString &v : values)
            entry.values.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
        out.append(entry);
    }
    return out;
}

void SaveEngineList(const QVector<usic::EngineEntry> &engines)
{
    KConfigGroup g = KSharedConfig::openConfig()->group(kGroup);
    g.deleteGroup();
    g = KSharedConfig::openConfig()->group(kGroup);
    g.writeEntry("Count", engines.size());
    for (int i = 0; i < engines.size(); i++) {
        const usic::EngineEntry &entry = engines[i];
        KConfigGroup e = g.group(QStringLiteral("Engine%1").arg(i));
        e.writeEntry("Path", entry.path);
        e.writeEntry("Name", entry.name);
        e.writeEntry("Author", entry.author);
        e.writeEntry("Options", usic::OptionLines(entry.options));
        QStringList values;
        for (auto it = entry.values.begin(); it != entry.values.end(); ++it)
            values << it.key() + QLatin1Char('=') + it.value();
        e.writeEntry("Values", values);
    }
    g.sync();
}

CEnginesDLG::CEnginesDLG(QWidget *parent) : QDialog(parent), m_engines(LoadEngineList())
{
    setObjectName(QStringLiteral("CEnginesDLG"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(JStr(JC_EngineList));
    m_list = new QListWidget(this);
    m_add = new QPushButton(JStr(JC_EngineAdd), this);
    m_options = new QPushButton(JStr(JC_EngineOptions), this);
    m_remove = new QPushButton(JStr(JC_EngineRemove), this);
    auto *close = new QPushButton(JStr(JC_EngineClose), this);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {m_add, m_options, m_remove})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    connect(m_add, &QPushButton::clicked, this, &CEnginesDLG::Add);
    connect(m_remove, &QPushButton::clicked, this, &CEnginesDLG::Remove);
    connect(m_options, &QPushButton::clicked, this, &CEnginesDLG::EditOptions);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_remove->setEnabled(row >= 0);
        m_options->setEnabled(row >= 0);
    });
    Fill();
}

void CEnginesDLG::Fill()
{
    m_list->clear();
    for (const usic::EngineEntry &e : m_engines)
        m_list->addItem(e.name + QStringLiteral("  (") + e.path + QLatin1Char(')'));
    m_remove->setEnabled(false);
    m_options->setEnabled(false);
}

void CEnginesDLG::Add()
{
    const QString path = g_pFileDialog(this, FileDialogKind::Open, JStr(JC_EngineAdd),
                                       QStringLiteral("/usr/games"), QString());
    if (!path.isEmpty())
        AddPath(path);
}

// The program answers (or fails) while the dialog stays responsive.
void CEnginesDLG::AddPath(const QString &path)
{
    m_add->setEnabled(false);
    m_add->setText(JStr(JC_EngineProbing));
    m_probe = std::make_unique<usic::EngineProbe>(path);
    connect(m_probe.get(), &usic::EngineProbe::done, this, [this](bool ok, const QString &why) {
        m_add->setEnabled(true);
        m_add->setText(JStr(JC_EngineAdd));
        if (ok) {
            m_engines.append(m_probe->Entry());
            SaveEngineList(m_engines);
            Fill();
        } else {
            ShowBox(this, BoxKind::Warning, JStr(JC_EngineRefused) + why);
        }
        emit probed(ok);
    });
    m_probe->Start();
}

void CEnginesDLG::Remove()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_engines.size())
        return;
    m_engines.remove(row);
    SaveEngineList(m_engines);
    Fill();
}

void CEnginesDLG::EditOptions()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_engines.size())
        return;
    auto *dlg = new CEngineOptionsDLG(m_engines[row], this);
    if (g_pRunDialog(dlg) == QDialog::Accepted)
        SaveEngineList(m_engines);
}

CEngineOptionsDLG::CEngineOptionsDLG(usic::EngineEntry &entry, QWidget *parent)
    : QDialog(parent), m_entry(entry)
{
    setObjectName(QStringLiteral("CEngineOptionsDLG"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(entry.name);
    auto *form = new QFormLayout;
    using T = usic::OptionDef;
    for (const T &d : entry.options) {
        const QString value = entry.ValueOf(d);
        QWidget *field = nullptr;
        std::function<QString()> read;
        switch (d.type) {
        case T::Check: {
            auto *c = new QCheckBox(this);
            c->setChecked(value == QLatin1String("true"));
            read = [c] { return QString::fromLatin1(c->isChecked() ? "true" : "false"); };
            field = c;
            break;
        }
        case T::Spin: {
            auto *s = new QSpinBox(this);
            s->setRange(int(qBound<qint64>(INT_MIN, d.min, INT_MAX)), int(qBound<qint64>(INT_MIN, d.max, INT_MAX)));
            s->setValue(value.toInt());
            read = [s] { return QString::number(s->value()); };
            field = s;
            break;
        }
        case T::Combo: {
            auto *c = new QComboBox(this);
            c->addItems(d.vars);
            c->setCurrentText(value);
            read = [c] { return c->currentText(); };
            field = c;
            break;
        }
        case T::String:
        case T::Filename: {
            auto *l = new QLineEdit(value, this);
            read = [l] { return l->text(); };
            field = l;
            if (d.type == T::Filename) {
                auto *row = new QWidget(this);
                auto *h = new QHBoxLayout(row);
                h->setContentsMargins(0, 0, 0, 0);
                auto *browse = new QPushButton(QStringLiteral("..."), row);
                connect(browse, &QPushButton::clicked, this, [this, l] {
                    const QString f = g_pFileDialog(this, FileDialogKind::Open, windowTitle(), l->text(), QString());
                    if (!f.isEmpty())
                        l->setText(f);
                });
                l->setParent(row);
                h->addWidget(l);
                h->addWidget(browse);
                field = row;
            }
            break;
        }
        case T::Button:
            // An action of a running engine; nothing to keep.
            continue;
        }
        form->addRow(d.name, field);
        const QString name = d.name;
        m_read.append([name, read] { return name + QLatin1Char('\n') + read(); });
    }
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &CEngineOptionsDLG::Accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(box);
}

void CEngineOptionsDLG::Accept()
{
    for (const auto &read : m_read) {
        const QString pair = read();
        const QString name = pair.section(QLatin1Char('\n'), 0, 0);
        for (const usic::OptionDef &d : m_entry.options)
            if (d.name == name)
                m_entry.values.insert(name, d.Sanitized(pair.section(QLatin1Char('\n'), 1)));
    }
    accept();
}
