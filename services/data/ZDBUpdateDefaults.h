#pragma once

#include "data/TZDbConnection.h"

#include <QString>

#include <functional>

/// Fills tables with the rows a new data file starts with: every file below
/// `folder` (DefaultValue below the program folder when relative; its
/// sub-folders too) whose name contains ".txt" (any case) and has at least
/// two lines fills the table named like the file without ".txt". The first
/// line names the columns, separated by ","; each further non-blank line
/// holds one row's values in that order. Values are read by the column's
/// kind: integers (0 when not a number), booleans (true for "1"), floats,
/// dates from yyyymmdd and times from hhmmss integers, everything else as
/// text. Each file is written in one transaction; a file that fails is told
/// through `onMessage` ("为表<table>新增预设值是出错，原因是：<reason>"), leaves
/// its table as it was, and the next file is read.
void SetDefaultValue(TZDbConnection &connection, const QString &folder,
                     const std::function<void(const QString &)> &onMessage);
