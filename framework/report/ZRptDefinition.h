#pragma once

#include "controls/TPrintRange.h"

#include <QByteArray>
#include <QList>
#include <QString>

/// One condition of a report definition: "[kind,field,caption]".
struct TZRptCondition
{
    TWhereCtrlType kind = ctRangeID;
    QString field;
    QString caption;
};

/// A report definition file (RptSql/<module>.rql): condition lines, the
/// report statement (the other non-empty lines, less those starting with
/// "{"), and the source mode a statement "TagProgID=<module>=<select list>"
/// asks for.
struct TZRptDefinition
{
    QList<TZRptCondition> conditions;
    QString statement;
    bool sourceMode = false;
    QString srcProgID;
    QString selectList;
};

/// Reads the text of a definition. Raises EZError naming the line for a
/// condition line that is not "[kind,field,caption]", a source statement
/// without module or select list, and a text that is not UTF-8 text.
TZRptDefinition ZParseRptDefinition(const QByteArray &text);

/// The definition of a report module; an empty one when the module has no
/// definition file. Errors name the file.
TZRptDefinition ZReadRptDefinition(const QString &progID);

/// The definition file of a report module (RptSql/<module>.rql below the
/// program folder).
QString ZRptDefinitionFile(const QString &progID);
