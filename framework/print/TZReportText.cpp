#include "TZReportText.h"

#include "common/ZErrors.h"
#include "common/ZMoneyCn.h"

#include <cmath>

namespace {

constexpr int MaxDepth = 64;
// Operator chains nest to the left; the limit keeps evaluation shallow.
constexpr int MaxNodes = 500;

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#');
}

} // namespace

/// Parses the inside of one "[…]" part into nodes of a TZReportText.
class TReportTextParser
{
public:
    TReportTextParser(const QString &text, QList<TZReportText::TNode> &nodes)
        : m_text(text), m_nodes(nodes), m_firstNode(int(nodes.size()))
    {
    }

    /// The root node; raises EZError with the reason when the text does not parse.
    int parse()
    {
        skipBlanks();
        if (atEnd())
            throw EZError(QStringLiteral("表达式为空"));
        const int root = expression(0);
        skipBlanks();
        if (!atEnd())
            throw EZError(QStringLiteral("“%1”之后有多余的内容").arg(m_text.left(m_pos)));
        return root;
    }

private:
    using TNode = TZReportText::TNode;

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text.at(m_pos); }
    void skipBlanks()
    {
        while (!atEnd() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }
    bool take(QChar c)
    {
        skipBlanks();
        if (peek() != c)
            return false;
        ++m_pos;
        return true;
    }
    void expect(QChar c)
    {
        if (!take(c))
            throw EZError(QStringLiteral("缺少“%1”").arg(c));
    }

    int add(TNode node)
    {
        if (m_nodes.size() - m_firstNode >= MaxNodes)
            throw EZError(QStringLiteral("表达式太长"));
        m_nodes.append(std::move(node));
        return int(m_nodes.size() - 1);
    }
    int binary(TNode::Op op, int left, int right)
    {
        TNode node;
        node.op = op;
        node.left = left;
        node.right = right;
        return add(node);
    }

    int expression(int depth)
    {
        int left = term(depth);
        for (;;) {
            if (take(QLatin1Char('+')))
                left = binary(TNode::Add, left, term(depth));
            else if (take(QLatin1Char('-')))
                left = binary(TNode::Subtract, left, term(depth));
            else
                return left;
        }
    }

    int term(int depth)
    {
        int left = unary(depth);
        for (;;) {
            if (take(QLatin1Char('*')))
                left = binary(TNode::Multiply, left, unary(depth));
            else if (take(QLatin1Char('/')))
                left = binary(TNode::Divide, left, unary(depth));
            else
                return left;
        }
    }

    int unary(int depth)
    {
        if (depth > MaxDepth)
            throw EZError(QStringLiteral("表达式嵌套太深"));
        if (take(QLatin1Char('-')))
            return binary(TNode::Negate, unary(depth + 1), -1);
        if (take(QLatin1Char('+')))
            return unary(depth + 1);
        return primary(depth);
    }

    QString name()
    {
        skipBlanks();
        const int start = m_pos;
        while (!atEnd() && isNameChar(peek()))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    int primary(int depth)
    {
        skipBlanks();
        if (atEnd())
            throw EZError(QStringLiteral("表达式不完整"));
        const QChar c = peek();
        if (c == QLatin1Char('(')) {
            ++m_pos;
            const int inner = expression(depth + 1);
            expect(QLatin1Char(')'));
            return inner;
        }
        if (c.isDigit() || c == QLatin1Char('.'))
            return numberNode();
        const QString first = name();
        if (first.isEmpty())
            throw EZError(QStringLiteral("无法识别“%1”").arg(m_text.mid(m_pos)));
        if (take(QLatin1Char('.'))) {
            TNode node;
            node.op = TNode::Field;
            node.dataSet = first;
            node.field = name();
            if (node.field.isEmpty())
                throw EZError(QStringLiteral("“%1.”之后缺少字段名").arg(first));
            return add(node);
        }
        if (take(QLatin1Char('(')))
            return function(first, depth);
        TNode node;
        if (first.compare(QLatin1String("Date"), Qt::CaseInsensitive) == 0)
            node.op = TNode::Date;
        else if (first.compare(QLatin1String("Page#"), Qt::CaseInsensitive) == 0)
            node.op = TNode::Page;
        else if (first.compare(QLatin1String("TotalPages#"), Qt::CaseInsensitive) == 0)
            node.op = TNode::TotalPages;
        else
            throw EZError(QStringLiteral("未知的名称“%1”").arg(first));
        return add(node);
    }

    int function(const QString &functionName, int depth)
    {
        if (functionName.compare(QLatin1String("MoneyCn"), Qt::CaseInsensitive) == 0) {
            const int argument = expression(depth + 1);
            expect(QLatin1Char(')'));
            return binary(TNode::MoneyCn, argument, -1);
        }
        if (functionName.compare(QLatin1String("Sum"), Qt::CaseInsensitive) == 0) {
            const int argument = primary(depth + 1);
            expect(QLatin1Char(')'));
            if (m_nodes.at(argument).op != TNode::Field)
                throw EZError(QStringLiteral("Sum的参数应为字段，如Sum(ReportData.金额)"));
            TNode node = m_nodes.at(argument);
            node.op = TNode::Sum;
            return add(node);
        }
        throw EZError(QStringLiteral("未知的函数“%1”").arg(functionName));
    }

    int numberNode()
    {
        const int start = m_pos;
        while (!atEnd() && (peek().isDigit() || peek() == QLatin1Char('.')))
            ++m_pos;
        bool ok = false;
        TNode node;
        node.number = m_text.mid(start, m_pos - start).toDouble(&ok);
        if (!ok)
            throw EZError(QStringLiteral("“%1”不是有效的数值").arg(m_text.mid(start, m_pos - start)));
        return add(node);
    }

    const QString &m_text;
    QList<TNode> &m_nodes;
    const int m_firstNode;
    int m_pos = 0;
};

TZReportText::TZReportText(const QString &source)
{
    int pos = 0;
    QString literal;
    while (pos < source.size()) {
        const int open = source.indexOf(QLatin1Char('['), pos);
        const int close = open < 0 ? -1 : source.indexOf(QLatin1Char(']'), open + 1);
        if (close < 0) {
            literal += source.mid(pos);
            break;
        }
        literal += source.mid(pos, open - pos);
        if (!literal.isEmpty())
            m_parts.append({literal, -1, {}});
        literal.clear();
        const QString inner = source.mid(open + 1, close - open - 1);
        TPart part;
        try {
            part.root = TReportTextParser(inner, m_nodes).parse();
        } catch (const EZError &error) {
            part.error = error.message();
        }
        m_parts.append(part);
        pos = close + 1;
    }
    if (!literal.isEmpty())
        m_parts.append({literal, -1, {}});
}

QStringList TZReportText::Errors() const
{
    QStringList errors;
    for (const TPart &part : m_parts) {
        if (!part.error.isEmpty())
            errors << part.error;
    }
    return errors;
}

QStringList TZReportText::FieldNames() const
{
    QStringList names;
    for (const TNode &node : m_nodes) {
        if (node.op == TNode::Field || node.op == TNode::Sum)
            names << node.dataSet + QLatin1Char('.') + node.field;
    }
    names.removeDuplicates();
    return names;
}

QString TZReportText::Evaluate(const TZReportScope &scope) const
{
    QString result;
    for (const TPart &part : m_parts) {
        if (!part.error.isEmpty()) {
            result += QStringLiteral("[错误:%1]").arg(part.error);
            continue;
        }
        if (part.root < 0) {
            result += part.literal;
            continue;
        }
        QString error;
        const TZReportValue value = evaluate(part.root, scope, error);
        if (!error.isEmpty())
            result += QStringLiteral("[错误:%1]").arg(error);
        else if (!value.isNumber || !value.text.isNull())
            result += value.text;
        else
            result += ZReportNumberText(value.number, value.money);
    }
    return result;
}

namespace {

/// The number of a value, reading a text value as a number; false when it is none.
bool numberOf(const TZReportValue &value, double &number)
{
    if (value.isNumber) {
        number = value.number;
        return true;
    }
    bool ok = false;
    number = value.text.trimmed().toDouble(&ok);
    return ok || value.text.trimmed().isEmpty();
}

TZReportValue computed(double number, bool money)
{
    TZReportValue value;
    value.isNumber = true;
    value.number = number;
    value.money = money;
    return value;
}

} // namespace

TZReportValue TZReportText::evaluate(int index, const TZReportScope &scope, QString &error) const
{
    const TNode &node = m_nodes.at(index);
    TZReportValue value;
    switch (node.op) {
    case TNode::Number:
        return computed(node.number, false);
    case TNode::Field:
        if (!scope.FieldValue(node.dataSet, node.field, value))
            error = QStringLiteral("没有字段%1.%2").arg(node.dataSet, node.field);
        return value;
    case TNode::Sum:
        if (!scope.SumValue(node.dataSet, node.field, value))
            error = QStringLiteral("没有字段%1.%2").arg(node.dataSet, node.field);
        return value;
    case TNode::Date:
        value.text = scope.Date().toString(QStringLiteral("yyyy-MM-dd"));
        return value;
    case TNode::Page:
        return computed(scope.Page(), false);
    case TNode::TotalPages:
        return computed(scope.TotalPages(), false);
    default:
        break;
    }

    const TZReportValue left = evaluate(node.left, scope, error);
    const TZReportValue right = node.right >= 0 ? evaluate(node.right, scope, error) : TZReportValue();
    if (!error.isEmpty())
        return value;
    double a = 0, b = 0;
    if (!numberOf(left, a)) {
        error = QStringLiteral("“%1”不是数值").arg(left.text);
        return value;
    }
    if (node.right >= 0 && !numberOf(right, b)) {
        error = QStringLiteral("“%1”不是数值").arg(right.text);
        return value;
    }
    const bool money = left.money || right.money;
    switch (node.op) {
    case TNode::MoneyCn:
        try {
            value.text = MoneyCn(a);
        } catch (const EZError &failure) {
            error = failure.message();
        }
        return value;
    case TNode::Negate:
        return computed(-a, money);
    case TNode::Add:
        return computed(a + b, money);
    case TNode::Subtract:
        return computed(a - b, money);
    case TNode::Multiply:
        return computed(a * b, money);
    case TNode::Divide:
        if (b == 0) {
            error = QStringLiteral("除数为零");
            return value;
        }
        return computed(a / b, money);
    default:
        return value;
    }
}

QString ZReportNumberText(double value, bool money)
{
    if (!std::isfinite(value))
        return QStringLiteral("—");
    if (money)
        return QString::number(value, 'f', 2);
    QString text = QString::number(value, 'f', 10);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}
