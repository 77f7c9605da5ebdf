#include "ZSelfWhereText.h"

#include "common/ZErrors.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZTranSqlWhere.h"

namespace {

// The database's own words inside the system's statement error ("语法执行
// 错误！", "错误信息：" text, "执行语法：" statement); any other error whole.
QString databaseText(const QString &message)
{
    static const QString head = QStringLiteral("错误信息：");
    static const QString tail = QStringLiteral("\r\n执行语法：");
    const qsizetype start = message.indexOf(head);
    if (start < 0)
        return message;
    const qsizetype from = start + head.size();
    const qsizetype end = message.indexOf(tail, from);
    return end < 0 ? message.mid(from) : message.mid(from, end - from);
}

} // namespace

const QStringList &ZWhereOperators()
{
    static const QStringList words = {QStringLiteral("等于"),     QStringLiteral("大于"),
                                      QStringLiteral("小于"),     QStringLiteral("大于等于"),
                                      QStringLiteral("小于等于"), QStringLiteral("不等于"),
                                      QStringLiteral("包含"),     QStringLiteral("不包含")};
    return words;
}

bool ZIsNumberFieldType(TZFieldType type)
{
    return type == ftZInteger || type == ftZSmallint || type == ftZFloat || type == ftZCurrency;
}

QString ZWhereValueText(TZFieldType type, const QString &op, const QString &text)
{
    if (op == QStringLiteral("包含") || op == QStringLiteral("不包含"))
        return ZQuotedStr(QLatin1Char('%') + ZTrim(text) + QLatin1Char('%'));
    if (type == ftZDate || type == ftZTime || type == ftZBoolean)
        return text;
    if (ZIsNumberFieldType(type)) {
        const QString number = ZTrim(text);
        return number.isEmpty() ? QStringLiteral("0") : number;
    }
    return ZQuotedStr(ZTrim(text));
}

QString ZSelfWhereKey(const QString &formClass, const QString &progID)
{
    return formClass + QLatin1Char('-') + progID;
}

// Kept as a long parameter: a condition easily passes the 200 characters of
// a short one, and long ones are read from the table each time, so a text
// saved now is the one loaded next.
QString ZLoadSelfWhere(const QString &formClass, const QString &progID)
{
    return GetLongParamValue(ZSelfWhereKey(formClass, progID));
}

void ZSaveSelfWhere(const QString &formClass, const QString &progID, const QString &text)
{
    SaveLongParamValue(ZSelfWhereKey(formClass, progID), text);
}

QString ZCheckSelfWhere(const QString &progID, const QString &text)
{
    try {
        TZDataSource &source = GetDataSource(progID);
        const QString sql =
            source.GetDataSetSQL(0, TZSqlSwitches{.joinDetail = true}) + TranSqlWhere(source, text);
        // One row is enough: the statement is prepared whole and its first
        // row evaluated, without reading a long list.
        DBConn().DBSelectValue(sql);
    } catch (const EZError &error) {
        const QString reason = databaseText(error.message());
        return reason.isEmpty() ? error.message() : reason;
    }
    return {};
}

QString ZSelfWhereFailure(const QString &databaseText)
{
    return QStringLiteral("语法检查失败：\n错误信息：") + databaseText;
}
