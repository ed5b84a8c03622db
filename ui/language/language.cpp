#include "language.h"

#include <QTextCodec>

QTextCodec *JCodec()
{
    static QTextCodec *const codec = QTextCodec::codecForName("EUC-JP");
    return codec;
}

namespace {
// Fetch the codec before main runs, so the first text shown pays nothing.
QTextCodec *const s_prefetched = JCodec();
} // namespace

QString JStr(const char *eucText)
{
    return JCodec()->toUnicode(eucText);
}

QByteArray JBytes(const QString &text)
{
    return JCodec()->fromUnicode(text);
}
