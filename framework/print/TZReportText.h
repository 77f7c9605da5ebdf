#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

/// A value inside a report text: a number (with the text a field shows for
/// it) or a text.
struct TZReportValue
{
    bool isNumber = false;
    double number = 0;
    bool money = false; ///< a money amount: shown with two decimals when computed
    QString text;       ///< the display text (a field's own text, or the text value)
};

/// What report texts read: the fields of the named datasets, sums, the page
/// numbers and the date. Implemented by the renderer over its data.
class TZReportScope
{
public:
    virtual ~TZReportScope() = default;
    /// The value of a field of a dataset in the row being printed; false when
    /// there is no such dataset or field.
    virtual bool FieldValue(const QString &dataSet, const QString &field, TZReportValue &value) const = 0;
    /// The sum of a field over the rows of the band being printed (the group
    /// in group bands, all rows elsewhere); false when there is no such field.
    virtual bool SumValue(const QString &dataSet, const QString &field, TZReportValue &value) const = 0;
    virtual int Page() const = 0;
    virtual int TotalPages() const = 0;
    virtual QDate Date() const = 0;
};

/// The compiled text of a text object: literal text with "[…]" parts.
///
/// Inside brackets: "ReportData.Field" and "ParamData.Field" (any dataset
/// name), "Date", "Page#", "TotalPages#", "MoneyCn(<expr>)",
/// "Sum(<dataset>.<field>)", numbers, + - * / and parentheses. A "[" with no
/// "]" after it is plain text. Compiling never fails: a part that does not
/// parse, and a field that is not there when printing, print as
/// "[错误:<reason>]" in place of the part.
class TZReportText
{
public:
    TZReportText() = default;
    explicit TZReportText(const QString &source);

    QString Evaluate(const TZReportScope &scope) const;

    /// The reasons of the parts that do not parse (empty when all do).
    QStringList Errors() const;
    /// The "dataset.field" names the text reads, as written.
    QStringList FieldNames() const;

private:
    struct TNode
    {
        enum Op { Number, Field, Sum, Date, Page, TotalPages, MoneyCn, Negate, Add, Subtract, Multiply, Divide };
        Op op = Number;
        double number = 0;
        QString dataSet, field;
        int left = -1, right = -1;
    };
    struct TPart
    {
        QString literal; ///< plain text, when root < 0 and error is empty
        int root = -1;   ///< the expression's node
        QString error;   ///< why the part does not parse
    };
    friend class TReportTextParser;

    TZReportValue evaluate(int node, const TZReportScope &scope, QString &error) const;

    QList<TPart> m_parts;
    QList<TNode> m_nodes;
};

/// The text a computed number prints as: money with two decimals, other
/// numbers with the decimals they have (at most ten).
QString ZReportNumberText(double value, bool money);
