#pragma once

#include "data/ZDBType.h"

#include <QString>

/// The kind of a field, in definitions, tables and datasets.
enum TZFieldType {
    ftZString,
    ftZDate,
    ftZTime,
    ftZInteger,
    ftZSmallint,
    ftZBoolean,
    ftZFloat,
    ftZCurrency,
    ftZBlob,
    ftZMemo
};

/// The type name ("ftZString" … "ftZMemo").
QString ZFieldTypeName(TZFieldType type);

/// A type name read ignoring case, also in its short form ("Str", "dat", "tim",
/// "int", "sin", "bol", "dbl", "mon", "blo", "mem"); anything else is
/// ftZString.
TZFieldType StrToZFieldType(const QString &name);

/// True when `name` is one of the type names or short forms.
bool IsZFieldTypeName(const QString &name);

/// The kind of a column from its declared SQL type ("varchar(50)", "Money",
/// "datetime", "bit", a field type name of comVirtual, …); ftZString when the
/// type is unknown or empty.
TZFieldType ZFieldTypeOfDeclared(const QString &declaredType);

/// The kind name of a column's kind, as the system names the kinds of data
/// fields: small integer → ftZSmallint, integer → ftZInteger, boolean →
/// ftZBoolean, float → ftZFloat, currency → ftZCurrency, date and date-time →
/// ftZDate, time → ftZTime, memo → ftZMemo, anything else → ftZString.
QString FieldTypeToZFieldType(TZFieldType type);

/// The SQL column type of a field type name (names read as StrToZFieldType
/// does): varchar, smalldatetime, datetime, int, smallint, bit, float, Money,
/// image, text on the server kind; VarChar, datetime, datetime, int, smallint,
/// bit, float, Money, image, text on the file kinds.
QString GetDBFieldType(const QString &typeName, TDBType kind = dtNone);

/// True for the kinds that hold numbers (integers, floats, money).
bool IsZNumericType(TZFieldType type);
