#pragma once

#include "TestText.h"

#include "common/Currency.h"
#include "common/ZErrors.h"
#include "data/TDBConn.h"
#include "forms/TfrmAccFee.h"
#include "forms/TfrmAccGather.h"
#include "forms/TfrmAccIncome.h"
#include "forms/TfrmAccPay.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormParams.h"
#include "metadata/TOrvDataSet.h"

#include <QDialog>
#include <QPushButton>

#include <memory>
#include <random>

/// Random work on the bills through the four bill windows' own routines:
/// income and payment bills added, their amounts edited, deleted; offset
/// bills added with their open bills loaded and offset automatically, their
/// lines removed or changed, offsets cleared, deleted. Every box is answered
/// Yes. A refused operation is cancelled and counted.
class TBillsRandomWork
{
public:
    explicit TBillsRandomWork(unsigned seed) : m_random(seed)
    {
        SetZBoxAnswerer([](QDialog &box) {
            if (auto *yes = box.findChild<QPushButton *>(s("btnYes")); yes && yes->isVisible())
                yes->click();
            else
                box.reject();
        });
        m_bills[0] = open<TfrmAccIncome>(s("accIncome"));
        m_bills[1] = open<TfrmAccFee>(s("accFee"));
        m_offsets[0] = open<TfrmAccGather>(s("accGather"));
        m_offsets[1] = open<TfrmAccPay>(s("accPay"));
    }
    ~TBillsRandomWork() { SetZBoxAnswerer(nullptr); }

    /// One random operation; false when it was refused.
    bool Step()
    {
        const int flag = pick(2);
        const int kind = pick(100);
        TfrmMasterData &window = kind < 48 ? static_cast<TfrmMasterData &>(*m_bills[flag]) : *m_offsets[flag];
        static const char *const kNames[] = {"add bill",        "edit bill",        "delete bill",
                                             "add offset bill", "edit offset bill", "delete offset bill"};
        const int which = kind < 25 ? 0 : kind < 40 ? 1 : kind < 48 ? 2 : kind < 70 ? 3 : kind < 90 ? 4 : 5;
        Last = QString::fromLatin1(kNames[which]) + s(" flag %1").arg(flag + 1);
        try {
            if (kind < 25)
                addBill(*m_bills[flag]);
            else if (kind < 40)
                editBill(*m_bills[flag], flag);
            else if (kind < 48)
                removeRecord(window, s("accFee"), flag);
            else if (kind < 70)
                addOffsetBill(*m_offsets[flag]);
            else if (kind < 90)
                editOffsetBill(*m_offsets[flag], flag);
            else
                removeRecord(window, s("accGather"), flag);
            return true;
        } catch (const EZError &) {
            if (window.Editing())
                window.RunAction(6);
            ++Refused;
            Last += s(" refused");
            return false;
        }
    }

    /// The bills whose Offset or RemainMoney disagree with the offset lines,
    /// as "BillNo:Offset/RemainMoney"; empty when all agree.
    static QString Disagreements()
    {
        return DBConn()
            .DBSelectValue(
                s("select group_concat(BillNo || ':' || Offset || '/' || RemainMoney, ' ') from accFee A where "
                  "abs(coalesce(RemainMoney,0) - (coalesce(FeeMoney,0) - coalesce(Discount,0) - coalesce(NowRecv,0) - "
                  "coalesce(Offset,0))) > 0.00005 or abs(coalesce(Offset,0) - coalesce((select sum(B.Offset) from "
                  "accGatherSub B where B.Flag = A.Flag and B.FeeBillNo = A.BillNo), 0)) > 0.00005"))
            .value(0);
    }

    int Refused = 0;
    QString Last; ///< what the last step did

private:
    template<typename T>
    static std::unique_ptr<T> open(const QString &progID)
    {
        auto window = std::make_unique<T>();
        TFormParams params;
        params.Action = s("F3");
        params.ProgID = progID;
        window->FormReturnValue(kFormParamsName, ZFormParamsAddress(params));
        return window;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    /// A sum of whole and half units up to `most`.
    QVariant money(int most) { return QVariant::fromValue(Currency::fromRaw(qint64(pick(most * 2 + 1)) * 5000)); }
    QString name() { return QStringList{s("张三"), s("李四"), s("王五")}.at(pick(3)); }

    static void set(TfrmMasterData &window, const char *field, const QVariant &value)
    {
        window.MasterData().FieldByName(QLatin1String(field)).SetValue(value);
    }
    static void run(TfrmMasterData &window, int op)
    {
        if (!window.RunAction(op))
            throw EZError(s("未完成"));
    }
    /// Shows a random stored record of the table and flag; false when none.
    bool moveToAny(TfrmMasterData &window, const QString &table, int flag)
    {
        const QStringList keys =
            DBConn().DBSelectValue(s("select BillNo from %1 where Flag = %2 order by BillNo").arg(table).arg(flag + 1));
        if (keys.isEmpty())
            return false;
        const QString key = keys.at(pick(int(keys.size())));
        Last += QLatin1Char(' ') + key;
        return window.MoveTo(key, false);
    }

    void addBill(TfrmAccIncome &window)
    {
        run(window, 1);
        set(window, "ObjectName", name());
        set(window, "Quantity01", 1 + pick(4));
        set(window, "Price01", money(100));
        set(window, "NowRecv", pick(3) == 0 ? money(20) : QVariant::fromValue(Currency()));
        set(window, "Discount", pick(4) == 0 ? money(10) : QVariant::fromValue(Currency()));
        run(window, 5);
    }

    void editBill(TfrmAccIncome &window, int flag)
    {
        if (!moveToAny(window, s("accFee"), flag))
            return;
        run(window, 2);
        set(window, "Price01", money(100));
        run(window, 5);
    }

    void removeRecord(TfrmMasterData &window, const QString &table, int flag)
    {
        if (moveToAny(window, table, flag))
            run(window, 3);
    }

    void addOffsetBill(TfrmAccGather &window)
    {
        run(window, 1);
        set(window, "ObjectName", name());
        set(window, "FeeMoney", money(300));
        window.LoadBills();
        if (window.MasterData().FieldByName(s("FeeMoney")).AsCurrency() > Currency())
            window.AutoOffset();
        if (pick(3) == 0)
            removeLine(window);
        run(window, 5);
    }

    void editOffsetBill(TfrmAccGather &window, int flag)
    {
        if (!moveToAny(window, s("accGather"), flag))
            return;
        run(window, 2);
        TOrvDataSet &lines = window.Detaildata();
        switch (pick(4)) {
        case 0:
            removeLine(window);
            break;
        case 1:
            if (!lines.IsEmpty()) {
                lines.SetRecNo(1 + pick(lines.RecordCount()));
                lines.Edit();
                lines.FieldByName(s("Offset")).SetValue(money(80));
                lines.Post();
            }
            break;
        case 2:
            window.ClearOffsets();
            break;
        default:
            set(window, "FeeMoney", money(300));
            window.AutoOffset();
        }
        run(window, 5);
    }

    void removeLine(TfrmAccGather &window)
    {
        TOrvDataSet &lines = window.Detaildata();
        if (lines.RecordCount() < 2)
            return; // a bill keeps at least one line
        lines.SetRecNo(1 + pick(lines.RecordCount()));
        lines.Delete();
    }

    std::mt19937 m_random;
    std::unique_ptr<TfrmAccIncome> m_bills[2];
    std::unique_ptr<TfrmAccGather> m_offsets[2];
};
