#pragma once

#include <QDateTime>
#include <QString>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

/// Writes one worksheet of an Excel workbook (.xlsx) with libxlsxwriter.
///
/// The workbook goes to a hidden temporary file in the target's folder and
/// replaces the target only once it is complete, so a failure never leaves a
/// half-written file (nor spoils an older one) under the user's name. Every
/// failure raises EZError naming the target file.
///
/// With `constantMemory` the rows are flushed as they are written (texts are
/// stored inline instead of in the shared string table): rows must then be
/// written top to bottom, and memory stays flat for any number of rows.
class TZXlsxWriter
{
public:
    /// How a number or date cell shows its value.
    enum TNumberStyle {
        nsGeneral,  ///< as Excel shows any number
        nsMoney,    ///< thousands separated, at least two and up to four decimals
        nsDate,     ///< yyyy-mm-dd
        nsDateTime, ///< yyyy-mm-dd hh:mm:ss
        nsTime      ///< hh:mm:ss
    };

    /// The largest row and column counts of a worksheet.
    static constexpr int MaxRows = 1048576;
    static constexpr int MaxColumns = 16384;
    /// The longest text a cell holds; longer texts are cut.
    static constexpr int MaxTextLength = 32767;

    explicit TZXlsxWriter(const QString &fileName, bool constantMemory = false);
    /// Abandons an unfinished workbook: the temporary file goes, the target
    /// stays as it was.
    ~TZXlsxWriter();
    TZXlsxWriter(const TZXlsxWriter &) = delete;
    TZXlsxWriter &operator=(const TZXlsxWriter &) = delete;

    /// A header cell: bold text.
    void WriteHeader(int row, int column, const QString &text);
    void WriteText(int row, int column, const QString &text);
    void WriteNumber(int row, int column, double value, TNumberStyle style = nsGeneral);
    /// A date, date-time or time (by `style`) as an Excel date serial. A
    /// date Excel cannot hold (before 1900) is written as its text.
    void WriteDateTime(int row, int column, const QDateTime &value, TNumberStyle style);
    /// The width of a column in characters.
    void SetColumnWidth(int column, double characters);
    /// Keeps the first `rows` rows in view while scrolling.
    void FreezeRows(int rows);

    /// Writes the workbook and puts it in place of the target file.
    void Close();

    const QString &FileName() const { return m_fileName; }

private:
    [[noreturn]] void fail(const QString &reason) const;
    void check(int error) const;
    lxw_format *formatOf(TNumberStyle style) const;

    QString m_fileName;
    QString m_tempName;
    lxw_workbook *m_workbook = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    lxw_format *m_bold = nullptr;
    lxw_format *m_money = nullptr;
    lxw_format *m_date = nullptr;
    lxw_format *m_dateTime = nullptr;
    lxw_format *m_time = nullptr;
};
