#include "ZPinyin.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include <memory>

namespace {

// ICU's Han-Latin transliterator gives the pinyin of a character; Latin-ASCII
// drops the tone marks. Building it takes a while, so it is built once, and
// each character is converted once.
class PinyinTable
{
public:
    char32_t initialOf(char32_t c)
    {
        QMutexLocker lock(&m_mutex);
        const auto found = m_cache.constFind(c);
        if (found != m_cache.constEnd())
            return found.value();
        const char32_t initial = convert(c);
        m_cache.insert(c, initial);
        return initial;
    }

private:
    char32_t convert(char32_t c)
    {
        if (!m_transliterator) {
            UErrorCode status = U_ZERO_ERROR;
            m_transliterator.reset(
                icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
            if (U_FAILURE(status))
                m_transliterator.reset();
            if (!m_transliterator)
                return c;
        }
        icu::UnicodeString text{UChar32(c)};
        m_transliterator->transliterate(text);
        for (int32_t i = 0; i < text.length(); ++i) {
            const char16_t u = text.charAt(i);
            if (u >= u'a' && u <= u'z')
                return char32_t(u - u'a' + u'A');
            if (u >= u'A' && u <= u'Z')
                return char32_t(u);
        }
        return c;
    }

    QMutex m_mutex;
    QHash<char32_t, char32_t> m_cache;
    std::unique_ptr<icu::Transliterator> m_transliterator;
};

PinyinTable &table()
{
    static PinyinTable instance;
    return instance;
}

bool isHan(char32_t c)
{
    UErrorCode status = U_ZERO_ERROR;
    return uscript_getScript(UChar32(c), &status) == USCRIPT_HAN && U_SUCCESS(status);
}

// Characters whose common readings begin with different letters; the first
// letter listed is not necessarily ICU's reading, all count in a search.
const QHash<char32_t, QString> &otherReadings()
{
    static const QHash<char32_t, QString> table = [] {
        QHash<char32_t, QString> t;
        const char16_t *const rows[] = {
            u"行XH", u"长CZ", u"重ZC", u"乐LY", u"单DS", u"解JX", u"仇QC", u"区QO", u"查CZ", u"曾ZC",
            u"藏CZ", u"厦XS", u"省SX", u"调DT", u"传CZ", u"朝CZ", u"便BP", u"参CS", u"会HK", u"校XJ",
            u"降JX", u"率LS", u"奇QJ", u"系XJ", u"石SD", u"沈SC", u"盛SC", u"尉WY", u"秘MB", u"强QJ",
            u"给GJ", u"折ZS", u"期QJ", u"叶YX", u"覃QT", u"繁FP", u"翟ZD", u"种ZC", u"蔚WY", u"弹DT",
            u"宿SX", u"贾JG", u"说SY", u"属SZ", u"识SZ", u"车CJ", u"差CS", u"度DT", u"干GH", u"畜CX",
        };
        for (const char16_t *row : rows)
            t.insert(char32_t(row[0]), QString::fromUtf16(row + 1));
        return t;
    }();
    return table;
}

} // namespace

QString PinyinInitialChoices(char32_t c)
{
    if (!isHan(c))
        return QString::fromUcs4(&c, 1);
    const char32_t primary = table().initialOf(c);
    QString choices = QString::fromUcs4(&primary, 1);
    for (QChar other : otherReadings().value(c)) {
        if (!choices.contains(other))
            choices += other;
    }
    return choices;
}

bool PinyinInitialsContain(const QString &text, const QString &typedInitials)
{
    const QList<uint> chars = text.toUcs4();
    const QList<uint> typed = typedInitials.toUcs4();
    if (typed.isEmpty())
        return true;
    QList<QString> choices;
    choices.reserve(chars.size());
    for (uint c : chars)
        choices.append(PinyinInitialChoices(char32_t(c)).toUpper());
    for (qsizetype start = 0; start + typed.size() <= chars.size(); ++start) {
        bool all = true;
        for (qsizetype j = 0; j < typed.size() && all; ++j) {
            const char32_t t = char32_t(typed.at(j));
            all = choices.at(start + j).contains(QString::fromUcs4(&t, 1));
        }
        if (all)
            return true;
    }
    return false;
}

QString GetPinyinInitials(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const char32_t out = isHan(c) ? table().initialOf(c) : c;
        result.append(QString::fromUcs4(&out, 1));
    }
    return result;
}
