#include "TZDbConnection.h"

TZDbStatement::~TZDbStatement() = default;
TZDbConnection::~TZDbConnection() = default;

EZError ZStatementError(const QString &databaseText, const QString &statement)
{
    return EZError(QStringLiteral("语法执行错误！\r\n错误信息：") + databaseText + QStringLiteral("\r\n")
                   + QStringLiteral("执行语法：") + statement);
}
