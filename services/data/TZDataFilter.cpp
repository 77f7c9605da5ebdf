#include "TZDataFilter.h"

#include "common/ZErrors.h"
#include "data/TZClientDataSet.h"
#include "data/TZDataField.h"
#include "data/ZSqlTokens.h"

#include <vector>

struct TZDataFilter::Node
{
    enum Kind { And, Or, Not, Compare, IsNull, Like, In };
    Kind kind = Compare;
    QString op;                                  // for Compare
    bool negate = false;                         // not like, is not null, not in
    std::vector<std::unique_ptr<Node>> children; // And, Or, Not
    // operands: a column (index ≥ 0) or a constant
    int leftColumn = -1;
    QVariant leftValue;
    int rightColumn = -1;
    QVariant rightValue;
    QVariantList list; // In
};

namespace {

using Node = TZDataFilter::Node;

class Parser
{
public:
    Parser(const QString &text, const TZRowStore &store) : m_text(text), m_store(store)
    {
        for (const TZSqlToken &t : ZTokenizeSql(text)) {
            if (t.kind != TZSqlToken::Space)
                m_tokens.append(t);
        }
    }

    std::unique_ptr<Node> parse()
    {
        auto node = parseOr();
        if (m_pos != m_tokens.size())
            fail();
        return node;
    }

private:
    [[noreturn]] void fail() const { throw EZError(QStringLiteral("过滤条件错误：") + m_text); }

    const TZSqlToken *peek() const { return m_pos < m_tokens.size() ? &m_tokens.at(m_pos) : nullptr; }
    bool acceptWord(const char *w)
    {
        if (peek() && peek()->isWord(w)) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool acceptSymbol(const char *s)
    {
        if (peek() && peek()->isSymbol(s)) {
            ++m_pos;
            return true;
        }
        return false;
    }

    // A chain of and or or is one node with a child per term, so that long
    // chains never make the tree deep.
    std::unique_ptr<Node> parseOr() { return parseChain(Node::Or, "or", &Parser::parseAnd); }
    std::unique_ptr<Node> parseAnd() { return parseChain(Node::And, "and", &Parser::parseNot); }

    std::unique_ptr<Node> parseChain(Node::Kind kind, const char *word, std::unique_ptr<Node> (Parser::*term)())
    {
        auto first = (this->*term)();
        if (!peek() || !peek()->isWord(word))
            return first;
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->children.push_back(std::move(first));
        while (acceptWord(word))
            node->children.push_back((this->*term)());
        return node;
    }

    // Parentheses and not nest; the depth is limited so that no text can
    // exhaust the stack of the parser or of the evaluation.
    std::unique_ptr<Node> parseNot()
    {
        if (peek() && (peek()->isWord("not") || peek()->isSymbol("("))) {
            if (++m_depth > kZMaxFilterDepth)
                throw EZError(QStringLiteral("过滤条件错误：嵌套超过%1层").arg(kZMaxFilterDepth));
        }
        std::unique_ptr<Node> node;
        if (acceptWord("not")) {
            node = std::make_unique<Node>();
            node->kind = Node::Not;
            node->children.push_back(parseNot());
        } else if (acceptSymbol("(")) {
            node = parseOr();
            if (!acceptSymbol(")"))
                fail();
        } else {
            return parseComparison();
        }
        --m_depth;
        return node;
    }

    // A text literal must end with its own closing quote (doubled quotes
    // inside stand for one quote).
    static bool closedLiteral(const QString &literal)
    {
        for (qsizetype i = 1; i < literal.size(); ++i) {
            if (literal.at(i) != QLatin1Char('\''))
                continue;
            if (i + 1 < literal.size() && literal.at(i + 1) == QLatin1Char('\'')) {
                ++i;
                continue;
            }
            return i == literal.size() - 1;
        }
        return false;
    }

    // An operand: a field (a name or [name]) or a constant.
    void parseOperand(int *column, QVariant *value)
    {
        const TZSqlToken *t = peek();
        if (!t)
            fail();
        ++m_pos;
        if (t->kind == TZSqlToken::String) {
            if (!closedLiteral(t->text))
                fail();
            QString s = t->text.mid(1, t->text.size() - 2);
            s.replace(QLatin1String("''"), QLatin1String("'"));
            *value = s;
            return;
        }
        if (t->kind == TZSqlToken::Number) {
            bool ok = false;
            const double d = t->text.toDouble(&ok);
            if (!ok)
                fail();
            *value = d;
            return;
        }
        if (t->isSymbol("-") && peek() && peek()->kind == TZSqlToken::Number) {
            *value = -peek()->text.toDouble();
            ++m_pos;
            return;
        }
        if (t->kind == TZSqlToken::Word && (t->isWord("true") || t->isWord("false"))) {
            *value = t->isWord("true");
            return;
        }
        if (t->kind == TZSqlToken::Word && t->isWord("null")) {
            *value = QVariant();
            return;
        }
        if (t->kind == TZSqlToken::Quoted
            && (t->text.size() < 2 || !t->text.endsWith(t->text.startsWith(QLatin1Char('[')) ? u']' : u'"')))
            fail(); // [name or "name without its closing mark
        if (t->kind == TZSqlToken::Word || t->kind == TZSqlToken::Quoted) {
            *column = m_store.indexOf(t->name());
            if (*column < 0)
                fail();
            return;
        }
        fail();
    }

    std::unique_ptr<Node> parseComparison()
    {
        auto node = std::make_unique<Node>();
        parseOperand(&node->leftColumn, &node->leftValue);
        if (acceptWord("is")) {
            node->kind = Node::IsNull;
            node->negate = acceptWord("not");
            if (!acceptWord("null"))
                fail();
            return node;
        }
        const bool negate = acceptWord("not");
        if (acceptWord("like")) {
            node->kind = Node::Like;
            node->negate = negate;
            parseOperand(&node->rightColumn, &node->rightValue);
            return node;
        }
        if (acceptWord("in")) {
            node->kind = Node::In;
            node->negate = negate;
            if (!acceptSymbol("("))
                fail();
            do {
                int column = -1;
                QVariant value;
                parseOperand(&column, &value);
                if (column >= 0)
                    fail();
                node->list.append(value);
            } while (acceptSymbol(","));
            if (!acceptSymbol(")"))
                fail();
            return node;
        }
        if (negate)
            fail();
        const TZSqlToken *op = peek();
        if (!op || op->kind != TZSqlToken::Symbol)
            fail();
        static const QStringList ops{QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("!="),
                                     QStringLiteral("<"), QStringLiteral(">"),  QStringLiteral("<="),
                                     QStringLiteral(">=")};
        if (!ops.contains(op->text))
            fail();
        node->op = op->text == QLatin1String("!=") ? QStringLiteral("<>") : op->text;
        ++m_pos;
        node->kind = Node::Compare;
        parseOperand(&node->rightColumn, &node->rightValue);
        return node;
    }

    QString m_text;
    const TZRowStore &m_store;
    QList<TZSqlToken> m_tokens;
    qsizetype m_pos = 0;
    int m_depth = 0;
};

struct Evaluator
{
    const TZRowStore &store;
    const TZRowData &row;

    QVariant operand(int column, const QVariant &value) const { return column >= 0 ? row.values().at(column) : value; }

    TZFieldType kindOf(const Node &n) const
    {
        if (n.leftColumn >= 0)
            return store.columns.at(n.leftColumn).type;
        if (n.rightColumn >= 0)
            return store.columns.at(n.rightColumn).type;
        return ftZString;
    }

    bool eval(const Node &n) const
    {
        switch (n.kind) {
        case Node::And:
            for (const auto &child : n.children) {
                if (!eval(*child))
                    return false;
            }
            return true;
        case Node::Or:
            for (const auto &child : n.children) {
                if (eval(*child))
                    return true;
            }
            return false;
        case Node::Not:
            return !eval(*n.children[0]);
        case Node::IsNull: {
            const QVariant v = operand(n.leftColumn, n.leftValue);
            return (v.isNull() || !v.isValid()) != n.negate;
        }
        case Node::Like: {
            const QVariant v = operand(n.leftColumn, n.leftValue);
            const QVariant p = operand(n.rightColumn, n.rightValue);
            if (v.isNull() || p.isNull())
                return false;
            return ZLikeMatch(v.toString(), p.toString()) != n.negate;
        }
        case Node::In: {
            const QVariant v = operand(n.leftColumn, n.leftValue);
            if (v.isNull())
                return false;
            const TZFieldType kind = kindOf(n);
            bool found = false;
            for (const QVariant &item : n.list)
                found = found || (!item.isNull() && ZCompareValues(v, ZValueOfKind(item, kind), kind, true) == 0);
            return found != n.negate;
        }
        case Node::Compare: {
            const TZFieldType kind = kindOf(n);
            const QVariant a = ZValueOfKind(operand(n.leftColumn, n.leftValue), kind);
            const QVariant b = ZValueOfKind(operand(n.rightColumn, n.rightValue), kind);
            if (a.isNull() || b.isNull())
                return false;
            const int c = ZCompareValues(a, b, kind, true);
            if (n.op == QLatin1String("="))
                return c == 0;
            if (n.op == QLatin1String("<>"))
                return c != 0;
            if (n.op == QLatin1String("<"))
                return c < 0;
            if (n.op == QLatin1String(">"))
                return c > 0;
            if (n.op == QLatin1String("<="))
                return c <= 0;
            return c >= 0;
        }
        }
        return false;
    }
};

} // namespace

TZDataFilter::TZDataFilter(const QString &text, const TZRowStore &store)
    : m_store(&store), m_root(Parser(text, store).parse())
{}

TZDataFilter::~TZDataFilter() = default;

bool TZDataFilter::matches(const TZRowData &row) const
{
    // The store is only needed for the kinds of the columns, which the
    // dataset keeps alive for as long as the filter.
    return m_root ? Evaluator{*m_store, row}.eval(*m_root) : true;
}

bool ZLikeMatch(const QString &text, const QString &pattern)
{
    // Backtracking match of runs; '%' and '*' match any run of characters.
    qsizetype t = 0, p = 0, star = -1, mark = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern.at(p) == QLatin1Char('%') || pattern.at(p) == QLatin1Char('*'))) {
            star = p++;
            mark = t;
        } else if (p < pattern.size() && pattern.at(p).toCaseFolded() == text.at(t).toCaseFolded()) {
            ++p;
            ++t;
        } else if (star >= 0) {
            p = star + 1;
            t = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && (pattern.at(p) == QLatin1Char('%') || pattern.at(p) == QLatin1Char('*')))
        ++p;
    return p == pattern.size();
}
