#pragma once

#include "RecordTestSupport.h"
#include "TTestClock.h"
#include "TestText.h"

#include "data/TDBConn.h"

#include <QDateTime>

#include <memory>

/// A record window test of the contacts piece, with the clock at a moment
/// the test chooses (10 June 2026 unless it sets another).
class TContactsTest : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        clock = std::make_unique<TTestClock>(QDateTime(QDate(2026, 6, 10), QTime(9, 0)));
    }

    void TearDown() override
    {
        clock.reset();
        TRecordTest::TearDown();
    }

    static QString value(const QString &sql) { return DBConn().DBSelectValue(sql).value(0); }

    /// The birthday rows of a contact as "Flag:month/day", in Flag order.
    static QString remindDays(const QString &personID)
    {
        return value(s("select group_concat(d, ',') from (select Flag || ':' || RemindMonth || '/' || RemindDay as d "
                       "from moxRemind where Flag in (2,3) and RemindID = '%1' order by Flag)")
                         .arg(personID));
    }

    std::unique_ptr<TTestClock> clock;
};
