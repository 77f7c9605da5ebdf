#include "ZFieldType.h"

#include "common/ZTrim.h"

namespace {

struct TypeName
{
    TZFieldType type;
    const char *name;
    const char *shortName;
};

constexpr TypeName kTypes[] = {
    {ftZString, "ftZString", "Str"},   {ftZDate, "ftZDate", "dat"},         {ftZTime, "ftZTime", "tim"},
    {ftZInteger, "ftZInteger", "int"}, {ftZSmallint, "ftZSmallint", "sin"}, {ftZBoolean, "ftZBoolean", "bol"},
    {ftZFloat, "ftZFloat", "dbl"},     {ftZCurrency, "ftZCurrency", "mon"}, {ftZBlob, "ftZBlob", "blo"},
    {ftZMemo, "ftZMemo", "mem"},
};

const TypeName *findType(const QString &name)
{
    const QString t = ZTrim(name);
    for (const TypeName &entry : kTypes) {
        if (t.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String(entry.shortName), Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

} // namespace

QString ZFieldTypeName(TZFieldType type)
{
    for (const TypeName &entry : kTypes) {
        if (entry.type == type)
            return QLatin1String(entry.name);
    }
    return QStringLiteral("ftZString");
}

TZFieldType StrToZFieldType(const QString &name)
{
    const TypeName *entry = findType(name);
    return entry ? entry->type : ftZString;
}

bool IsZFieldTypeName(const QString &name)
{
    return findType(name) != nullptr;
}

TZFieldType ZFieldTypeOfDeclared(const QString &declaredType)
{
    QString t = ZTrim(declaredType).toLower();
    const qsizetype paren = t.indexOf(QLatin1Char('('));
    if (paren >= 0)
        t = ZTrim(t.left(paren));
    t.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    if (t.isEmpty())
        return ftZString;
    if (const TypeName *entry = findType(t); entry && t.startsWith(QLatin1String("ftz")))
        return entry->type;
    if (t == QLatin1String("smallint") || t == QLatin1String("tinyint"))
        return ftZSmallint;
    if (t == QLatin1String("int") || t == QLatin1String("integer") || t == QLatin1String("bigint")
        || t == QLatin1String("long") || t == QLatin1String("counter") || t == QLatin1String("autoincrement"))
        return ftZInteger;
    if (t == QLatin1String("bit") || t == QLatin1String("boolean") || t == QLatin1String("yesno"))
        return ftZBoolean;
    if (t == QLatin1String("float") || t == QLatin1String("real") || t == QLatin1String("double")
        || t == QLatin1String("numeric") || t == QLatin1String("decimal") || t == QLatin1String("single"))
        return ftZFloat;
    if (t == QLatin1String("money") || t == QLatin1String("currency") || t == QLatin1String("smallmoney"))
        return ftZCurrency;
    if (t == QLatin1String("datetime") || t == QLatin1String("smalldatetime") || t == QLatin1String("date"))
        return ftZDate;
    if (t == QLatin1String("time"))
        return ftZTime;
    if (t == QLatin1String("text") || t == QLatin1String("memo") || t == QLatin1String("ntext")
        || t == QLatin1String("longtext"))
        return ftZMemo;
    if (t == QLatin1String("image") || t == QLatin1String("blob") || t == QLatin1String("longbinary")
        || t == QLatin1String("varbinary") || t == QLatin1String("binary"))
        return ftZBlob;
    return ftZString;
}

QString FieldTypeToZFieldType(TZFieldType type)
{
    switch (type) {
    case ftZSmallint:
    case ftZInteger:
    case ftZBoolean:
    case ftZFloat:
    case ftZCurrency:
    case ftZDate:
    case ftZTime:
    case ftZMemo:
        return ZFieldTypeName(type);
    default:
        return ZFieldTypeName(ftZString);
    }
}

QString GetDBFieldType(const QString &typeName, TDBType kind)
{
    const bool server = ResolveDBType(kind) == dtMSSQL;
    switch (StrToZFieldType(typeName)) {
    case ftZString:
        return server ? QStringLiteral("varchar") : QStringLiteral("VarChar");
    case ftZDate:
        return server ? QStringLiteral("smalldatetime") : QStringLiteral("datetime");
    case ftZTime:
        return QStringLiteral("datetime");
    case ftZInteger:
        return QStringLiteral("int");
    case ftZSmallint:
        return QStringLiteral("smallint");
    case ftZBoolean:
        return QStringLiteral("bit");
    case ftZFloat:
        return QStringLiteral("float");
    case ftZCurrency:
        return QStringLiteral("Money");
    case ftZBlob:
        return QStringLiteral("image");
    case ftZMemo:
        return QStringLiteral("text");
    }
    return server ? QStringLiteral("varchar") : QStringLiteral("char");
}

bool IsZNumericType(TZFieldType type)
{
    return type == ftZInteger || type == ftZSmallint || type == ftZFloat || type == ftZCurrency;
}
