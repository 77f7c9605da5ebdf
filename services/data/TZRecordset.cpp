#include "TZRecordset.h"

#include "common/ZErrors.h"
#include "data/TDBConn.h"

void TZRecordset::Open(const QString &sql)
{
    m_data = DBConn().DBOpenDataSet(sql);
}

TZClientDataSet &TZRecordset::data()
{
    if (!m_data)
        throw EZError(QStringLiteral("数据集Recordset没有打开"));
    return *m_data;
}

TZDataField *TZRecordset::FindField(const QString &name)
{
    return data().FindField(name);
}

TZDataField &TZRecordset::FieldByName(const QString &name)
{
    TZDataField *field = FindField(name);
    if (!field)
        throw EZError(QStringLiteral("数据集Recordset中不存在字段 %1").arg(name));
    return *field;
}

void TZRecordset::MoveFirt()
{
    data().First();
}

void TZRecordset::MoveLast()
{
    data().Last();
}

void TZRecordset::MoveNext()
{
    data().Next();
}

void TZRecordset::MovePrevious()
{
    data().Prior();
}

int TZRecordset::RecordCount()
{
    return data().RecordCount();
}

bool TZRecordset::Eof()
{
    return data().Eof();
}

bool TZRecordset::Bof()
{
    return data().Bof();
}
