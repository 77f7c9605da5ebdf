#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

/// One cell of a worksheet as an Excel workbook (.xlsx) stores it.
struct TZXlsxCell
{
    enum TKind { ckEmpty, ckText, ckNumber, ckDate, ckBoolean, ckError };

    TKind kind = ckEmpty;
    /// A text cell's text; an error cell's code ("#DIV/0!").
    QString text;
    /// A number's value; a date's serial (days since the workbook's epoch);
    /// a boolean's 0 or 1.
    double number = 0;
    /// The number format of the cell's style ("General" without one).
    QString numberFormat;
    /// A date cell's moment (local time, no time zone).
    QDateTime dateTime;

    /// The cell as a text: texts as they are, numbers in their shortest form,
    /// dates as "yyyy-MM-dd" (with " hh:mm:ss" when not midnight), booleans as
    /// "TRUE" or "FALSE"; empty for an empty cell.
    QString toString() const;
};

/// The rows of a worksheet, top to bottom from row 1; each row holds its
/// cells from column A up to its last stored cell (empty cells in between).
using TZXlsxRows = QList<QList<TZXlsxCell>>;

/// Reads the first worksheet of a workbook: shared and inline strings,
/// numbers, booleans, and numbers whose style has a date format as dates.
/// A file that is no workbook, has no worksheet or is damaged raises EZError
/// naming the file.
TZXlsxRows ZReadXlsxSheet(const QString &fileName);

/// The same from the bytes of a workbook; `name` names it in errors.
TZXlsxRows ZReadXlsxSheetData(const QByteArray &content, const QString &name = QString());

/// The first worksheet's cells as texts (TZXlsxCell::toString).
QList<QStringList> ZReadXlsxCells(const QString &fileName);

/// True when an Excel number format code shows a date or a time.
bool ZIsXlsxDateFormat(const QString &formatCode);
