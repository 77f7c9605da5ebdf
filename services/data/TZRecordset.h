#pragma once

#include "data/TZClientDataSet.h"

#include <memory>

/// A small read-only cursor over a query of the session.
class TZRecordset
{
public:
    /// Opens the query through the session.
    void Open(const QString &sql);
    /// The field of that name (ignoring case); raises
    /// "数据集Recordset中不存在字段 %s" when there is none.
    TZDataField &FieldByName(const QString &name);
    TZDataField *FindField(const QString &name);
    void MoveFirt();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    int RecordCount();
    bool Eof();
    bool Bof();

private:
    TZClientDataSet &data();
    std::unique_ptr<TZClientDataSet> m_data;
};
