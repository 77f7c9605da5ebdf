#pragma once

#include "data/TZRowStore.h"

#include <QString>

#include <memory>

/// A compiled filter text of a client dataset: comparisons (=, <>, !=, <, >,
/// <=, >=, like, not like, is null, is not null, in (…)) between fields and
/// values, joined by and, or, not and parentheses. Texts compare ignoring
/// case; like takes % or * for any run of characters. A comparison with a
/// null value is false. Parentheses and not nest at most kZMaxFilterDepth
/// deep; chains of and and or may be of any length.
/// How deep parentheses and not may nest in a filter text.
constexpr int kZMaxFilterDepth = 200;

class TZDataFilter
{
public:
    /// Compiles the text against the columns; raises EZError
    /// "过滤条件错误：<text>" when it does not parse (an unclosed quote
    /// included) or names an unknown field, "过滤条件错误：嵌套超过200层" when
    /// it nests deeper than kZMaxFilterDepth.
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
