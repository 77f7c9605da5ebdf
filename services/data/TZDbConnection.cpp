#include "TZDbConnection.h"

#include "data/ZRawCells.h"

TZDbStatement::~TZDbStatement() = default;

void TZDbStatement::readRawRow(int first, TZRawBlock &block) const
{
    block.beginRow();
    for (int f = 0; f < block.columnCount(); ++f)
        block.appendVariant(value(f + first, block.kind(f)));
}
TZDbConnection::~TZDbConnection() = default;

EZError ZStatementError(const QString &databaseText, const QString &statement)
{
    return EZError(QStringLiteral("语法执行错误！\r\n错误信息：") + databaseText + QStringLiteral("\r\n")
                   + QStringLiteral("执行语法：") + statement);
}
