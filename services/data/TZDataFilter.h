#pragma once

#include "data/TZRowStore.h"

#include <QString>

#include <memory>

/// A compiled filter text of a client dataset: comparisons (=, <>, !=, <, >,
/// <=, >=, like, not like, is null, is not null, in (…)) between fields and
/// values, joined by and, or, not and parentheses. Texts compare ignoring
/// case; like takes % or * for any run of characters. A comparison with a
/// null value is false.
class TZDataFilter
{
public:
    /// Compiles the text against the columns; raises EZError
    /// "过滤条件错误：<text>" when it does not parse or names an unknown field.
    TZDataFilter(const QString &text, const TZRowStore &store);
    ~TZDataFilter();

    bool matches(const TZRowData &row) const;

    struct Node;

private:
    const TZRowStore *m_store;
    std::unique_ptr<Node> m_root;
};

/// True when a text matches a like pattern (% or * any run, ignoring case).
bool ZLikeMatch(const QString &text, const QString &pattern);
