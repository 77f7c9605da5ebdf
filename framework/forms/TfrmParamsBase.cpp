#include "TfrmParamsBase.h"

#include "common/ZDates.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "controls/ZEditorAdapter.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"

namespace {

QString readValue(const QString &name, bool longValue)
{
    const QString table = longValue ? QStringLiteral("ComParamsEx") : QStringLiteral("ComParams");
    const QStringList row = DBConn().DBSelectValue(
        QStringLiteral(" Select ParamValue From %1 Where ParamName = %2").arg(table, ZQuotedStr(name)));
    return row.value(0);
}

void writeValue(const QString &name, const QString &value, bool longValue)
{
    const QString table = longValue ? QStringLiteral("ComParamsEx") : QStringLiteral("ComParams");
    TDBConn &db = DBConn();
    db.DBExcuteSql(QStringLiteral(" Delete From %1 Where ParamName = %2").arg(table, ZQuotedStr(name)));
    db.DBExcuteSql(QStringLiteral(" Insert Into %1(ParamName, ParamValue) Values(%2, %3)")
                       .arg(table, ZQuotedStr(name), ZQuotedStr(value)));
}

// Parameters are texts: dates as yyyymmdd numbers, switches as "1"/"0",
// choices as their index.
void showValue(QWidget *editor, const QString &value)
{
    const QVariant shown = ZEditorAdapter::Value(editor);
    if (shown.typeId() == QMetaType::QDate)
        ZEditorAdapter::SetValue(editor, IntDateToDate(ZTrim(value).toInt()));
    else if (shown.typeId() == QMetaType::Int)
        ZEditorAdapter::SetValue(editor, ZTrim(value).toInt());
    else
        ZEditorAdapter::SetValue(editor, value);
}

QString valueOf(QWidget *editor)
{
    const QVariant value = ZEditorAdapter::Value(editor);
    switch (value.typeId()) {
    case QMetaType::QDate:
        return QString::number(DateToIntDate(value.toDate()));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return value.toString();
    }
}

// An editor bound to the parameter its object name names: the kinds whose
// values have a parameter text (texts, whole numbers, switches, dates).
bool isEditor(const QWidget *widget)
{
    if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))
        || !ZEditorAdapter::IsEditor(widget))
        return false;
    switch (ZEditorAdapter::Value(widget).typeId()) {
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::Bool:
    case QMetaType::QDate:
        return true;
    default:
        return false;
    }
}

} // namespace

TfrmParamsBase::TfrmParamsBase(QWidget *parent) : TfrmZForm(parent) {}

QList<QWidget *> TfrmParamsBase::ParamEditors() const
{
    QList<QWidget *> editors;
    for (QWidget *widget : findChildren<QWidget *>()) {
        if (isEditor(widget))
            editors << widget;
    }
    return editors;
}

void TfrmParamsBase::LoadParams()
{
    if (!DBConn().ExistTable(QStringLiteral("comParams")))
        GetParamInfo().UpdateParamInfo(); // creates the table with its key
    for (QWidget *editor : ParamEditors())
        showValue(editor, readValue(editor->objectName(), ZEditorAdapter::IsMemo(editor)));
}

void TfrmParamsBase::SaveParams()
{
    if (!DBConn().ExistTable(QStringLiteral("comParams")))
        GetParamInfo().UpdateParamInfo();
    for (QWidget *editor : ParamEditors())
        writeValue(editor->objectName(), valueOf(editor), ZEditorAdapter::IsMemo(editor));
}
