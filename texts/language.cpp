#include "language.h"

#include <QHash>
#include <QTextCodec>

QTextCodec *JCodec()
{
    static QTextCodec *const codec = QTextCodec::codecForName("EUC-JP");
    return codec;
}

namespace {
// Fetch the codec before main runs, so the first text shown pays nothing.
QTextCodec *const s_prefetched = JCodec();

TextLanguage s_language = TextLanguage::Japanese;

const QHash<QByteArray, QString> &EnglishByBytes()
{
    static const QHash<QByteArray, QString> table = [] {
        QHash<QByteArray, QString> t;
        for (int i = 0; i < g_EnglishTextCount; ++i)
            t.insert(QByteArray(g_EnglishTexts[i].euc),
                     QString::fromUtf8(g_EnglishTexts[i].english));
        return t;
    }();
    return table;
}
} // namespace

void SetTextLanguage(TextLanguage language)
{
    s_language = language;
}

TextLanguage GetTextLanguage()
{
    return s_language;
}

QString JStr(const char *eucText)
{
    if (s_language == TextLanguage::English) {
        // A text missing from the table still shows, in Japanese.
        const auto &table = EnglishByBytes();
        const auto it = table.constFind(QByteArray(eucText));
        if (it != table.constEnd())
            return *it;
    }
    return JCodec()->toUnicode(eucText);
}

QByteArray JBytes(const QString &text)
{
    return JCodec()->fromUnicode(text);
}
