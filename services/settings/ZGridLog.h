#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Grid layout memory per user, in the INI file log/gridlog_<UserID>.log of the
// program folder (UserID of the logged-in user). These routines keep the
// file; the grids hand their column widths and group indexes in and apply
// what comes back.

/// The file of the logged-in user's grid layouts.
QString GridLogFileName();

/// Section "GridWidth", key = trimmed Key1 + trimmed Key2, value = the widths
/// in column order, each followed by "," (80,120,64,).
void SaveGirdWidthLog(const QString &key1, const QString &key2, const QList<int> &widths);

/// The stored widths as texts, in column order; empty when none are stored.
QStringList GetGirdWidthLog(const QString &key1, const QString &key2);

/// Section = trimmed Key1 + trimmed Key2; one key per column named after its
/// data field, value = the column's group index (-1 when not grouped).
void SaveGridGroupLog(const QString &key1, const QString &key2, const QList<QPair<QString, int>> &columns);

/// The group index of each named column from that section; -1 when missing
/// or not a number.
QList<int> GetGridGroupLog(const QString &key1, const QString &key2, const QStringList &fieldNames);
