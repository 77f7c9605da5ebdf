#pragma once

#include "HouseholdTestSupport.h"

#include "forms/TfrmMoxAccount.h"

#include <QStringList>

#include <random>

/// The statement that recomputes every account's balance from the rows:
/// AccountID, the stored CurrMoney and InitMoney plus the account's income,
/// less its expenses and transfers out, plus its transfers in. Written apart
/// from the program's own routines, so the two check each other.
inline QString ZExpectedBalancesSql()
{
    return s("select A.AccountID, A.CurrMoney, A.InitMoney"
             " + coalesce((select sum(case when F.Flag = 1 then F.ItemMoney else -F.ItemMoney end)"
             " from moxIncomeFee F where F.AccountID = A.AccountID), 0)"
             " - coalesce((select sum(T.TranMoney) from moxAccountTran T where T.SrcAccountID = A.AccountID), 0)"
             " + coalesce((select sum(T.TranMoney) from moxAccountTran T where T.DestAccountID = A.AccountID), 0)"
             " from moxAccount A order by A.AccountID");
}

/// The accounts whose stored balance differs from the one recomputed from
/// the rows, as "id: stored != expected", from rows of ZExpectedBalancesSql.
inline QStringList ZBalanceMismatches(const QList<QStringList> &rows)
{
    QStringList mismatches;
    for (const QStringList &row : rows) {
        const Currency stored = Currency::fromString(row.value(1));
        const Currency expected = Currency::fromString(row.value(2));
        if (stored != expected)
            mismatches << s("%1: %2 != %3").arg(row.value(0), stored.toString(), expected.toString());
    }
    return mismatches;
}

/// Random work on the household ledger through the windows' own operations
/// (add, copy, edit, delete, save, cancel), driven by a seeded generator:
/// income and expense items, transfers, opening balances, and saves the
/// program refuses (an account that does not exist).
class THouseholdDriver
{
public:
    /// `answers` is the test's box answer list (delete and cancel questions);
    /// the windows are those of moxIncome, moxFee, moxAccountTran and moxAccount.
    THouseholdDriver(unsigned seed, QStringList &answers, std::unique_ptr<TfrmMoxFee> income,
                     std::unique_ptr<TfrmMoxFee> expense, std::unique_ptr<TfrmAccountTran> transfer,
                     std::unique_ptr<TfrmMoxAccount> account)
        : m_random(seed),
          m_answers(answers),
          m_income(std::move(income)),
          m_expense(std::move(expense)),
          m_transfer(std::move(transfer)),
          m_account(std::move(account))
    {}

    /// One random operation; returns what it did, for failure messages.
    QString Step()
    {
        switch (pick(10)) {
        case 0:
        case 1:
            return addItem(pick(2) == 0 ? *m_income : *m_expense, account());
        case 2:
            return editItem();
        case 3:
            return deleteKey(pickItemWindow(), s("moxIncomeFee"));
        case 4:
            return addTransfer();
        case 5:
            return editTransfer();
        case 6:
            return deleteKey(*m_transfer, s("moxAccountTran"));
        case 7:
            return editOpening();
        case 8:
            return copyItem();
        default:
            return refusedSave();
        }
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    QString account() { return QStringList{s("XJ"), s("YH"), s("ZF")}.at(pick(3)); }
    QString money() { return QString::number((pick(99999) + 1) / 100.0, 'f', 2); }

    TfrmMoxFee &pickItemWindow() { return pick(2) == 0 ? *m_income : *m_expense; }

    /// A random stored key of a table (of the window's kind for items), or empty.
    QString storedKey(TfrmMasterData &window, const QString &table)
    {
        QString sql = s("select BillNo from %1").arg(table);
        if (auto *fee = dynamic_cast<TfrmMoxFee *>(&window))
            sql += s(" where Flag = %1").arg(fee->Sign() > 0 ? 1 : 2);
        const QStringList keys =
            DBConn()
                .DBSelectValue(s("select group_concat(BillNo, ',') from (%1 order by BillNo)").arg(sql))
                .value(0)
                .split(QLatin1Char(','), Qt::SkipEmptyParts);
        return keys.isEmpty() ? QString() : keys.at(pick(int(keys.size())));
    }

    static void need(bool ran, const QString &what)
    {
        if (!ran)
            throw EZError(s("操作未完成：") + what);
    }

    QString addItem(TfrmMoxFee &window, const QString &id)
    {
        const QString amount = money();
        need(window.RunAction(1), s("add"));
        TOrvDataSet &master = window.MasterData();
        master.FieldByName(s("ItemDate")).SetAsDateTime(QDateTime(QDate(2026, 1 + pick(12), 1 + pick(28)), QTime()));
        master.FieldByName(s("InOutType")).SetAsString(s("01"));
        master.FieldByName(s("AccountID")).SetAsString(id);
        master.FieldByName(s("ItemMoney")).SetAsString(amount);
        need(window.RunAction(5), s("save"));
        return s("add %1 %2 %3").arg(window.GetProgID(), id, amount);
    }

    QString editItem()
    {
        TfrmMoxFee &window = pickItemWindow();
        const QString key = storedKey(window, s("moxIncomeFee"));
        if (key.isEmpty())
            return addItem(window, account());
        need(window.MoveTo(key), s("move"));
        need(window.RunAction(2), s("edit"));
        QString what = s("edit %1 %2").arg(window.GetProgID(), key);
        if (pick(2) == 0) {
            const QString id = account();
            window.MasterData().FieldByName(s("AccountID")).SetAsString(id);
            what += s(" account ") + id;
        }
        if (pick(3) != 0) {
            const QString amount = money();
            window.MasterData().FieldByName(s("ItemMoney")).SetAsString(amount);
            what += s(" money ") + amount;
        }
        need(window.RunAction(5), s("save"));
        return what;
    }

    QString copyItem()
    {
        TfrmMoxFee &window = pickItemWindow();
        const QString key = storedKey(window, s("moxIncomeFee"));
        if (key.isEmpty())
            return addItem(window, account());
        need(window.MoveTo(key), s("move"));
        need(window.RunAction(4), s("copy"));
        need(window.RunAction(5), s("save"));
        return s("copy %1 %2").arg(window.GetProgID(), key);
    }

    QString deleteKey(TfrmMasterData &window, const QString &table)
    {
        const QString key = storedKey(window, table);
        if (key.isEmpty())
            return s("nothing to delete");
        need(window.MoveTo(key), s("move"));
        m_answers << s("btnYes");
        need(window.RunAction(3), s("delete"));
        return s("delete %1 %2").arg(window.GetProgID(), key);
    }

    QString fillTransfer(const QString &action)
    {
        const QString from = account();
        const QString to = account();
        const QString amount = money();
        TOrvDataSet &master = m_transfer->MasterData();
        if (master.FieldByName(s("TranDate")).IsNull())
            master.FieldByName(s("TranDate")).SetAsDateTime(QDateTime(QDate(2026, 6, 10), QTime()));
        master.FieldByName(s("SrcAccountID")).SetAsString(from);
        master.FieldByName(s("DestAccountID")).SetAsString(to);
        master.FieldByName(s("TranMoney")).SetAsString(amount);
        need(m_transfer->RunAction(5), s("save"));
        return s("%1 transfer %2 -> %3 %4").arg(action, from, to, amount);
    }

    QString addTransfer()
    {
        need(m_transfer->RunAction(1), s("add"));
        return fillTransfer(s("add"));
    }

    QString editTransfer()
    {
        const QString key = storedKey(*m_transfer, s("moxAccountTran"));
        if (key.isEmpty())
            return addTransfer();
        need(m_transfer->MoveTo(key), s("move"));
        need(m_transfer->RunAction(2), s("edit"));
        return fillTransfer(s("edit ") + key);
    }

    QString editOpening()
    {
        const QString id = account();
        const QString amount = money();
        need(m_account->MoveTo(id), s("move"));
        need(m_account->RunAction(2), s("edit"));
        m_account->MasterData().FieldByName(s("InitMoney")).SetAsString(amount);
        need(m_account->RunAction(5), s("save"));
        return s("opening %1 %2").arg(id, amount);
    }

    /// A save the program refuses (the account does not exist): nothing is
    /// written, and the edit is cancelled.
    QString refusedSave()
    {
        TfrmMoxFee &window = pickItemWindow();
        need(window.RunAction(1), s("add"));
        TOrvDataSet &master = window.MasterData();
        master.FieldByName(s("ItemDate")).SetAsDateTime(QDateTime(QDate(2026, 6, 10), QTime()));
        master.FieldByName(s("InOutType")).SetAsString(s("01"));
        // The account is refused as it is entered, or else by the save.
        try {
            master.FieldByName(s("AccountID")).SetAsString(s("NONE"));
        } catch (const EZError &) {}
        master.FieldByName(s("ItemMoney")).SetAsString(money());
        bool saved = false;
        try {
            saved = window.RunAction(5);
        } catch (const EZError &) {}
        if (saved)
            throw EZError(s("保存了不存在的账户"));
        m_answers << s("btnYes");
        need(window.RunAction(6), s("cancel"));
        return s("refused save");
    }

    std::mt19937 m_random;
    QStringList &m_answers;
    std::unique_ptr<TfrmMoxFee> m_income;
    std::unique_ptr<TfrmMoxFee> m_expense;
    std::unique_ptr<TfrmAccountTran> m_transfer;
    std::unique_ptr<TfrmMoxAccount> m_account;
};
