#include "TfrmRptLedgerBase.h"

#include "data/TZDataField.h"
#include "data/ZFieldRules.h"
#include "metadata/TZField.h"
#include "metadata/ZFieldDisplay.h"

#include <QVariant>

QString ZRptMonthText(int yyyymm)
{
    if (yyyymm == 0)
        return {};
    const int year = yyyymm / 100;
    const int month = yyyymm % 100;
    return QStringLiteral("%1年%2%3月").arg(year).arg(month / 10).arg(month % 10);
}

QString TfrmRptLedgerBase::FieldOnGetText(const TZDataField &field)
{
    const QString name = field.FieldName();
    if (name.compare(QLatin1String("FeeMonth"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("AccMonth"), Qt::CaseInsensitive) == 0)
        return field.Value().isNull() ? QString() : ZRptMonthText(field.AsInteger());
    if (name.startsWith(QLatin1String("_AutoField"), Qt::CaseInsensitive)) {
        if (field.AsFloat() == 0)
            return {};
        return ZFieldDisplayText(FieldDefinition(QStringLiteral("SumMoney")), field);
    }
    return TfrmRptPubBase::FieldOnGetText(field);
}

QString TfrmRptLedgerBase::FooterText(const QString &field, const QVariant &sum)
{
    if (!field.startsWith(QLatin1String("_AutoField"), Qt::CaseInsensitive))
        return TfrmRptPubBase::FooterText(field, sum);
    const TZField *money = FieldDefinition(QStringLiteral("SumMoney"));
    const TNumberType type = money && money->NumberType != ntUnAssign ? TNumberType(money->NumberType) : ntMoney;
    return ZNumberText(sum, type, QString(), false);
}

QString TfrmRptLedgerBase::ConditionedSql(int index, const QString &head, const QString &tail)
{
    QString where;
    AddSqlWhere(index, where);
    return head + where + tail;
}
