#include "ZTranSqlWhere.h"

#include "common/ZClock.h"
#include "common/ZDates.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/ZDateSql.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <functional>

namespace {

bool serverKind()
{
    return DBConnExists() ? DBConn().GetDBCONN().kind() == dtMSSQL : ResolveDBType(dtNone) == dtMSSQL;
}

// The end (one past the closing quote) of the quoted literal opening at
// `open`; a doubled quote inside stays in it. The text's end when unclosed.
qsizetype literalEnd(const QString &text, qsizetype open)
{
    qsizetype i = open + 1;
    while (i < text.size()) {
        if (text.at(i) == QLatin1Char('\'')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\'')) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return text.size();
}

// Applies the replacements to the text outside "[...]" references and
// quoted literals: a value such as '%加班%' or '是' is the user's text, not
// condition words.
QString outsideReferences(const QString &text, const std::function<QString(QString)> &replace)
{
    QString out;
    qsizetype pos = 0;
    qsizetype plain = 0; // start of the text not yet handed over
    while (pos < text.size()) {
        const QChar c = text.at(pos);
        qsizetype end = -1;
        if (c == QLatin1Char('\''))
            end = literalEnd(text, pos);
        else if (c == QLatin1Char('[')) {
            const qsizetype close = text.indexOf(QLatin1Char(']'), pos);
            end = close < 0 ? text.size() : close + 1;
        }
        if (end < 0) {
            ++pos;
            continue;
        }
        out += replace(text.mid(plain, pos - plain));
        out += text.mid(pos, end - pos);
        pos = plain = end;
    }
    if (plain < text.size())
        out += replace(text.mid(plain));
    return out;
}

// The next "[A." or "[B." reference at or after `from`, outside quoted
// literals; -1 when there is none.
qsizetype nextReference(const QString &text, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\'')) {
            i = literalEnd(text, i) - 1;
            continue;
        }
        if (text.at(i) != QLatin1Char('['))
            continue;
        const QStringView head = QStringView(text).mid(i, 3);
        if (head.compare(QLatin1String("[A."), Qt::CaseInsensitive) == 0
            || head.compare(QLatin1String("[B."), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString replaceWords(QString t)
{
    static const char16_t *const operators[][2] = {
        {u"大于等于", u" >= "}, {u"小于等于", u" <= "}, {u"不等于", u" <> "}, {u"不包含", u" Not Like "},
        {u"包含", u" Like "},   {u"等于", u" = "},      {u"大于", u" > "},    {u"小于", u" < "},
        {u"并且", u" And "},    {u"或者", u" Or "},     {u"加", u" + "},      {u"减", u" - "},
        {u"乘", u" * "},        {u"除", u" / "},
    };
    for (const auto &pair : operators)
        t.replace(QString::fromUtf16(pair[0]), QString::fromUtf16(pair[1]));
    const QDateTime now = ZNow();
    t.replace(QStringLiteral("星期几(当前日期)"), QString::number(now.date().dayOfWeek() % 7 + 1));
    t.replace(QStringLiteral("当前日期"), QString::number(DateToIntDate(now.date())));
    t.replace(QStringLiteral("当前时间"), QString::number(TimeToInt(now.time())));
    const bool server = serverKind();
    t.replace(QStringLiteral("是"), server ? QStringLiteral("1") : QStringLiteral("-1"));
    t.replace(QStringLiteral("否"), QStringLiteral("0"));
    t.replace(QStringLiteral("年("), QStringLiteral("Year("));
    t.replace(QStringLiteral("月("), QStringLiteral("Month("));
    t.replace(QStringLiteral("日("), QStringLiteral("Day("));
    if (server) {
        t.replace(QStringLiteral("时间拆分(时"), QStringLiteral("DatePart(Hour"));
        t.replace(QStringLiteral("时间拆分(分"), QStringLiteral("DatePart(Minute"));
        t.replace(QStringLiteral("时间拆分(秒"), QStringLiteral("DatePart(Second"));
        t.replace(QStringLiteral("星期几("), QStringLiteral("DatePart(weekday,"));
    } else {
        t.replace(QStringLiteral("时间拆分(时"), QStringLiteral("DatePart('h'"));
        t.replace(QStringLiteral("时间拆分(分"), QStringLiteral("DatePart('n'"));
        t.replace(QStringLiteral("时间拆分(秒"), QStringLiteral("DatePart('s'"));
        t.replace(QStringLiteral("星期几("), QStringLiteral("DatePart('w',"));
    }
    t.replace(QStringLiteral("当前年"), QString::number(now.date().year()));
    t.replace(QStringLiteral("当前月"), QString::number(now.date().month()));
    t.replace(QStringLiteral("当前日"), QString::number(now.date().day()));
    t.replace(QStringLiteral("当前时"), QString::number(now.time().hour()));
    t.replace(QStringLiteral("当前分"), QString::number(now.time().minute()));
    t.replace(QStringLiteral("当前秒"), QString::number(now.time().second()));
    static const char16_t *const days[] = {u"星期日", u"星期一", u"星期二", u"星期三", u"星期四", u"星期五", u"星期六"};
    for (int i = 0; i < 7; ++i)
        t.replace(QString::fromUtf16(days[i]), QString::number(i + 1));
    return t;
}

// The field a caption names in the first table of a dataset: by caption, else
// by name or alias.
TZField *fieldOfCaption(TZDataset &dataset, const QString &caption)
{
    if (!dataset.Tables.empty()) {
        for (const auto &field : dataset.Tables.front()->Fields) {
            if (field->DisplayName.compare(caption, Qt::CaseInsensitive) == 0)
                return field.get();
        }
    }
    return dataset.GetZField(caption);
}

} // namespace

QString TranWordItem(const QString &text)
{
    return outsideReferences(text, replaceWords);
}

bool SameBeforeText(const QString &text, const QString &word, int pos)
{
    QString collected;
    for (int i = pos - 1; i >= 0; --i) {
        collected = ZTrim(text.at(i) + collected);
        if (collected.compare(word, Qt::CaseInsensitive) == 0)
            return true;
        if (collected.size() > word.size())
            return false;
    }
    return false;
}

bool IsDecodeDateTimeFunc(const QString &text, int pos)
{
    QString before = text.left(pos);
    before.remove(QLatin1Char(' '));
    static const char *const openers[] = {"Year(",
                                          "Month(",
                                          "Day(",
                                          "DatePart('h',",
                                          "DatePart('n',",
                                          "DatePart('s',",
                                          "DatePart('w',",
                                          "DatePart(Hour,",
                                          "DatePart(Minute,",
                                          "DatePart(Second,",
                                          "DatePart(Weekday,"};
    for (const char *opener : openers) {
        if (before.endsWith(QLatin1String(opener), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString TranSqlWhere(TZDataSource &source, const QString &text)
{
    QString result = TranWordItem(text);
    const TDBType kind = serverKind() ? dtMSSQL : dtDbACCESS;
    qsizetype from = 0;
    while (true) {
        const qsizetype open = nextReference(result, from);
        if (open < 0)
            break;
        const qsizetype close = result.indexOf(QLatin1Char(']'), open);
        if (close < 0)
            break;
        const QString reference = result.mid(open, close - open + 1);
        const QString prefix = reference.mid(1, 2).toUpper(); // "A." or "B."
        QString caption = reference.mid(3, reference.size() - 4);
        caption.remove(QLatin1Char(' '));
        const qsizetype dot = caption.indexOf(QLatin1Char('.'));
        const QString subCaption = dot < 0 ? QString() : caption.mid(dot + 1);
        const QString mainCaption = dot < 0 ? caption : caption.left(dot);
        const int datasetIndex = prefix == QLatin1String("A.") ? 0 : 1;
        QString resolved = prefix + caption;
        if (datasetIndex < source.DatasetCount()) {
            TZDataset &dataset = *source.Datasets.at(std::size_t(datasetIndex));
            if (TZField *field = fieldOfCaption(dataset, mainCaption)) {
                const TZField *typed = field;
                resolved = prefix + field->FieldName;
                if (!ZIsBlank(field->RelativeDS)) {
                    TZDataSource &related = GetDataSource(field->RelativeDS);
                    const TZField *target = nullptr;
                    if (!subCaption.isEmpty() && related.DatasetCount() > 0)
                        target = fieldOfCaption(*related.Datasets.front(), subCaption);
                    const QString column = target ? target->FieldName : related.SubKey;
                    if (target)
                        typed = target;
                    else if (TZField *subKey = related.GetZField(related.SubKey))
                        typed = subKey;
                    resolved = field->JoinAlias + QLatin1Char('.') + column;
                }
                if (!IsDecodeDateTimeFunc(result, int(open))) {
                    if (typed->FieldType == ftZDate)
                        resolved = DateToIntField(resolved, kind);
                    else if (typed->FieldType == ftZTime)
                        resolved = TimeToIntField(resolved, kind);
                }
            }
        }
        // Each occurrence on its own: whether a date is converted depends on
        // what stands before it.
        result.replace(open, reference.size(), resolved);
        from = open + resolved.size();
    }
    return ZIsBlank(result) ? QString() : QStringLiteral(" And (") + result + QLatin1Char(')');
}
