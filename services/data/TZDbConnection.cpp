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

int TZDbConnection::AddCloseListener(std::function<void()> listener)
{
    m_closeListeners.emplace_back(m_nextCloseListener, std::move(listener));
    return m_nextCloseListener++;
}

void TZDbConnection::RemoveCloseListener(int token)
{
    std::erase_if(m_closeListeners, [token](const auto &entry) { return entry.first == token; });
}

void TZDbConnection::tellClosing()
{
    // A listener may remove itself or others: walk the ones taken out.
    const auto listeners = std::exchange(m_closeListeners, {});
    for (const auto &[token, listener] : listeners)
        listener();
}

EZError ZStatementError(const QString &databaseText, const QString &statement)
{
    return EZError(QStringLiteral("语法执行错误！\r\n错误信息：") + databaseText + QStringLiteral("\r\n")
                   + QStringLiteral("执行语法：") + statement);
}
