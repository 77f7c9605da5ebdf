#pragma once

#include "print/TZReportLayout.h"

#include <QList>
#include <QPair>
#include <QString>

class QWidget;
class TZClientDataSet;

// The printable report engine: layouts (TZReportLayout), rendered with
// QPainter to the print preview, printers and PDF files, and the plain
// layout editor.

/// A column of a default layout: the field, its caption, its width in screen
/// pixels, and whether it holds numbers (right-aligned, summed).
struct TZReportColumn
{
    QString fieldName;
    QString caption;
    int width = 80;
    bool numeric = false;
};

/// The datasets a report reads, by name: "ReportData" is walked row by row,
/// "ParamData" (and any other) is read in its first row. The datasets stay
/// the caller's.
using TZReportData = QList<QPair<QString, TZClientDataSet *>>;

/// Shows the report in the print preview, in front of and centred on
/// `owner`; the user prints from there or exports a PDF file.
void ZPreviewReport(QWidget *owner, const TZReportLayout &layout, const TZReportData &data);

/// Writes the report to a PDF file (fonts embedded), replacing the file
/// whole; raises EZError when it cannot be written.
void ZPrintReportToPdf(const TZReportLayout &layout, const TZReportData &data, const QString &pdfFile);

/// The layout editor. It opens `layoutFile` when it exists, else
/// `startLayout`, and saves to `layoutFile`; "预览" previews with `data`.
void ZDesignReport(QWidget *owner, const QString &layoutFile, const TZReportLayout &startLayout,
                   const TZReportData &data);
