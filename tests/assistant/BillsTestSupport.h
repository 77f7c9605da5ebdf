#pragma once

#include "RecordTestSupport.h"
#include "TTestClock.h"
#include "TestText.h"

#include "data/TDBConn.h"
#include "metadata/TOrvDataSet.h"
#include "record/TfrmMasterData.h"

#include <QDateTime>

#include <memory>

/// A test of the bill windows on a fresh data file, with the clock on
/// 15 March 2024 and four bill items: IN1 and IN2 income items, OUT1 and
/// OUT2 payment items.
class TBillsTest : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        clock = std::make_unique<TTestClock>(QDateTime(QDate(2024, 3, 15), QTime(9, 0)));
        DBConn().DBExcuteSql(s("insert into accFeeItem (ItemID, ItemName, ItemType, IsStock) values "
                               "('IN1', '咨询', 1, 0), ('IN2', '货款', 1, 1), ('OUT1', '房租', 2, 0), "
                               "('OUT2', '进货', 2, 1)"));
    }

    void TearDown() override
    {
        clock.reset();
        TRecordTest::TearDown();
    }

    static QString value(const QString &sql) { return DBConn().DBSelectValue(sql).value(0); }

    /// Sets a field of the window's master record as the user's editor does.
    static void set(TfrmMasterData &window, const char *field, const QVariant &v)
    {
        window.MasterData().FieldByName(QLatin1String(field)).SetValue(v);
    }
    static QString text(TfrmMasterData &window, const char *field)
    {
        return window.MasterData().FieldByName(QLatin1String(field)).AsCurrency().toString();
    }

    std::unique_ptr<TTestClock> clock;
};
