#pragma once

#include "TDataFileTest.h"
#include "TestText.h"

#include "common/ZWinMessages.h"
#include "data/TDBConn.h"
#include "metadata/ZDataSources.h"

#include <QEvent>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <utility>

/// Settlements with money whose settled bill is still open; B3 is the join
/// of the bill a settlement line settles.
inline QString OpenBillsWhere()
{
    return s("[A.收款金额] 大于 0 并且 B3.RemainMoney > 0");
}

/// Fills a data file with a few settlement bills: income bills S1 (50 still
/// open) and S2 (settled); settlements G1 (two lines on S1), G2 (a line on
/// S2) and G3 (no lines). And three reminder definitions on accGather: R1
/// "settlements of open bills", R2 "all settlements", R3 the same but
/// switched off.
inline void FillRemindData()
{
    TDBConn &db = DBConn();
    for (const char *sql : {
             "insert into accFee(Flag, BillNo, BillDate, FeeMoney, RemainMoney) values(1, 'S1', '2026-05-01', 80, 50)",
             "insert into accFee(Flag, BillNo, BillDate, FeeMoney, RemainMoney) values(1, 'S2', '2026-05-02', 30, 0)",
             "insert into accGather(Flag, BillNo, BillDate, ObjectName, FeeMoney) values(1, 'G1', '2026-05-03', '甲', 20)",
             "insert into accGather(Flag, BillNo, BillDate, ObjectName, FeeMoney) values(1, 'G2', '2026-05-04', '乙', 30)",
             "insert into accGather(Flag, BillNo, BillDate, ObjectName, FeeMoney) values(1, 'G3', '2026-05-05', '丙', 10)",
             "insert into accGatherSub(Flag, BillNo, RowNo, FeeBillNo, Offset) values(1, 'G1', 1, 'S1', 10)",
             "insert into accGatherSub(Flag, BillNo, RowNo, FeeBillNo, Offset) values(1, 'G1', 2, 'S1', 10)",
             "insert into accGatherSub(Flag, BillNo, RowNo, FeeBillNo, Offset) values(1, 'G2', 1, 'S2', 30)",
         })
        db.DBExcuteSql(QString::fromUtf8(sql));
    const QString insert = s("insert into comRemindSet(RemindID, RemindTitle, ProgID, RemindWhere, IsValid) "
                             "values('%1', '%2', 'accGather', '%3', %4)");
    db.DBExcuteSql(insert.arg(s("R1"), s("未结清的收款"), OpenBillsWhere()).arg(-1));
    db.DBExcuteSql(insert.arg(s("R2"), s("全部收款"), QString()).arg(-1));
    db.DBExcuteSql(insert.arg(s("R3"), s("停用的提醒"), QString()).arg(0));
}

/// A window that keeps the framework messages it receives.
class TMessageSink final : public QWidget
{
public:
    QList<std::pair<int, qint64>> messages;
    QStringList texts;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() >= QEvent::Type(ZWM_ADDMSG) && event->type() <= QEvent::Type(ZWM_REMINDINTERVAL)) {
            const auto *message = static_cast<TZMessageEvent *>(event);
            messages.append({message->message(), message->param1()});
            texts << message->text1();
            return true;
        }
        return QWidget::event(event);
    }
};

/// A data file with the shipped definitions, every module in the cache (as
/// at the program's start) and the reminder data above.
class TRemindDataTest : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        copyShipped(QStringLiteral("DBSource"));
        InitSysIDAndProgID();
        FillRemindData();
    }
};
