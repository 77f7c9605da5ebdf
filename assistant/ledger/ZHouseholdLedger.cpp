#include "ZHouseholdLedger.h"

#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TZClientDataSet.h"
#include "data/TZDataField.h"

#include <memory>

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

void ZUndoStoredItem(const QString &billNo, int flag)
{
    const std::unique_ptr<TZClientDataSet> row = DBConn().DBOpenDataSet(
        QStringLiteral("Select AccountID, ItemMoney From moxIncomeFee Where BillNo = %1 And Flag = %2")
            .arg(ZQuotedStr(ZTrim(billNo)))
            .arg(flag));
    if (row->IsEmpty())
        return;
    const QString account = row->Fields(0).AsString();
    const Currency amount = row->Fields(1).AsCurrency();
    if (flag == 2)
        ZAddAccountMoney(account, amount);
    else
        ZSubAccountMoney(account, amount);
}

void ZUndoStoredTransfer(const QString &billNo)
{
    const std::unique_ptr<TZClientDataSet> row = DBConn().DBOpenDataSet(
        QStringLiteral("Select SrcAccountID, DestAccountID, TranMoney From moxAccountTran Where BillNo = %1")
            .arg(ZQuotedStr(ZTrim(billNo))));
    if (row->IsEmpty())
        return;
    const Currency amount = row->Fields(2).AsCurrency();
    ZAddAccountMoney(row->Fields(0).AsString(), amount);
    ZSubAccountMoney(row->Fields(1).AsString(), amount);
}

Currency ZAccountMovement(const QString &accountID)
{
    const QString id = quotedAccount(accountID);
    const QString bookings =
        QStringLiteral("Select Sum(ItemMoney) as SumMoney From moxInComeFee Where Flag = %1 And AccountID = %2");
    return sumOf(bookings.arg(1).arg(id)) - sumOf(bookings.arg(2).arg(id))
           - sumOf(
               QStringLiteral("Select Sum(TranMoney) as TranMoney From moxAccountTran Where SrcAccountID = %1").arg(id))
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
    bool tooLarge = false;
    auto endRun = [&] {
        if (run.isEmpty())
            return;
        bool ok = false;
        const Currency number = Currency::fromString(run, &ok);
        qint64 sum = 0;
        if (ok && __builtin_add_overflow(total.raw(), number.raw(), &sum))
            tooLarge = true;
        else if (ok)
            total = Currency::fromRaw(sum);
        run.clear();
    };
    for (const QChar c : text) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.'))
            run += c;
        else
            endRun();
    }
    endRun();
    // Numbers too large to add up (long reference numbers) offer nothing.
    return tooLarge ? Currency() : total;
}
