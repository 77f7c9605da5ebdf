#pragma once

#include <QRectF>
#include <QStringList>

class QPainter;
struct TZReportObject;

/// The font families a report text is drawn with: its own family with a
/// Chinese font behind it. Qt's PDF writer gives the digits and Latin letters
/// of the CJK OpenType fonts no text in the PDF (copying and searching lose
/// them), so a CJK family gets a Latin font in front of it, which draws those
/// while the CJK font draws the Chinese text.
QStringList ZReportFontFamilies(const QString &family);

/// Draws one object of a band in the device pixel rectangle `rect`: a text
/// object with `text` (its evaluated text when printing, its source in the
/// editor) inside its frame lines, or a line. `dotsPerMm` sizes pens and the
/// padding.
void ZPaintReportObject(QPainter &painter, const TZReportObject &object, const QRectF &rect, const QString &text,
                        double dotsPerMm);
