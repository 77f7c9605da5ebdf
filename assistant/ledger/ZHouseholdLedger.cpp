#include "ZHouseholdLedger.h"

#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"

namespace {

/// The value of a one-value sum; an empty sum (no rows) counts 0.
Currency sumOf(const QString &sql)
{
    const QStringList values = DBConn().DBSelectValue(sql);
    if (values.isEmpty())
        return {};
    bool ok = false;
    const Currency sum = Currency::fromString(ZTrim(values.front()), &ok);
    return ok ? sum : Currency();
}

QString quotedAccount(const QString &accountID)
{
    return ZQuotedStr(ZTrim(accountID));
}

} // namespace

void ZAddAccountMoney(const QString &accountID, Currency amount)
{
    DBConn().DBExcuteSql(QStringLiteral("Update moxAccount Set CurrMoney = CurrMoney + %1 Where AccountID = %2")
                             .arg(amount.toString(), quotedAccount(accountID)));
}

void ZSubAccountMoney(const QString &accountID, Currency amount)
{
    DBConn().DBExcuteSql(QStringLiteral("Update moxAccount Set CurrMoney = CurrMoney - %1 Where AccountID = %2")
                             .arg(amount.toString(), quotedAccount(accountID)));
}

Currency ZAccountMovement(const QString &accountID)
{
    const QString id = quotedAccount(accountID);
    const QString bookings =
        QStringLiteral("Select Sum(ItemMoney) as SumMoney From moxInComeFee Where Flag = %1 And AccountID = %2");
    return sumOf(bookings.arg(1).arg(id)) - sumOf(bookings.arg(2).arg(id))
           - sumOf(QStringLiteral("Select Sum(TranMoney) as TranMoney From moxAccountTran Where SrcAccountID = %1")
                       .arg(id))
           + sumOf(QStringLiteral("Select Sum(TranMoney) as TranMoney From moxAccountTran Where DestAccountID = %1")
                       .arg(id));
}

Currency ZRecalcAccountMoney(const QString &accountID)
{
    const Currency movement = ZAccountMovement(accountID);
    DBConn().DBExcuteSql(QStringLiteral("Update moxAccount Set CurrMoney = InitMoney + %1 Where AccountID = %2")
                             .arg(movement.toString(), quotedAccount(accountID)));
    return movement;
}

Currency ZItemTextMoney(const QString &item)
{
    const QString text = ZTrim(item);
    Currency total;
    QString run;
    auto endRun = [&] {
        if (run.isEmpty())
            return;
        bool ok = false;
        const Currency number = Currency::fromString(run, &ok);
        if (ok)
            total += number;
        run.clear();
    };
    for (const QChar c : text) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.'))
            run += c;
        else
            endRun();
    }
    endRun();
    return total;
}
