#include "messagebox.h"

#include "language.h"

#include <KGuiItem>
#include <KMessageBox>
#include <QCoreApplication>

namespace {

// The answers of a yes/no question, in the words of the toolkit's own
// translations.
KGuiItem YesItem()
{
    return KGuiItem(QCoreApplication::translate("QPlatformTheme", "&Yes"),
                    QStringLiteral("dialog-ok"));
}

KGuiItem NoItem()
{
    return KGuiItem(QCoreApplication::translate("QPlatformTheme", "&No"),
                    QStringLiteral("dialog-cancel"));
}

BoxAnswer DesktopBox(QWidget *parent, BoxKind kind, const QString &text)
{
    const QString caption = JStr(JC_Korvane);
    switch (kind) {
    case BoxKind::Information:
        KMessageBox::information(parent, text, caption);
        return BoxAnswer::Ok;
    case BoxKind::Warning:
        KMessageBox::error(parent, text, caption);
        return BoxAnswer::Ok;
    case BoxKind::Question:
        return KMessageBox::questionTwoActions(parent, text, caption, YesItem(), NoItem()) ==
                       KMessageBox::PrimaryAction
                   ? BoxAnswer::Yes
                   : BoxAnswer::No;
    case BoxKind::WarningYesNo:
        return KMessageBox::warningTwoActions(parent, text, caption, YesItem(), NoItem()) ==
                       KMessageBox::PrimaryAction
                   ? BoxAnswer::Yes
                   : BoxAnswer::No;
    case BoxKind::WarningYesNoCancel:
        switch (KMessageBox::warningTwoActionsCancel(parent, text, caption, YesItem(), NoItem())) {
        case KMessageBox::PrimaryAction:
            return BoxAnswer::Yes;
        case KMessageBox::SecondaryAction:
            return BoxAnswer::No;
        default:
            return BoxAnswer::Cancel;
        }
    }
    return BoxAnswer::Cancel;
}

} // namespace

BoxFunction g_pShowBox = DesktopBox;

BoxAnswer ShowBox(QWidget *parent, BoxKind kind, const QString &text)
{
    return g_pShowBox(parent, kind, text);
}

BoxAnswer ShowBox(QWidget *parent, BoxKind kind, const char *eucText)
{
    return ShowBox(parent, kind, JStr(eucText));
}
