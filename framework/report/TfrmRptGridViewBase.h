#pragma once

#include "forms/TfrmZForm.h"

#include <QPointer>

class QLabel;
class QPushButton;
class TfrmRptBase;
class TZDBGrid;
class TZDataSource;
class TZField;

/// The grid window of a report: it shows the report data of the report
/// window that opened it, with the captions and visibility of the data
/// source fields, the sums of the numeric columns in the footer, F3 on a
/// cell to open the related record, and export to a workbook.
class TfrmRptGridViewBase : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmRptGridViewBase(QWidget *parent = nullptr);
    ~TfrmRptGridViewBase() override;

    /// "[FormParams]" from the report window's grid run: the report window
    /// (named by its handle in the key value) becomes the parent, and the
    /// grid shows its report data.
    void FormReturnValue(const QString &name, const QString &value) override;
    QString GetProgID() override { return m_progID; }
    /// Each report keeps its own column layout.
    QString GridLogTag() override { return m_progID; }

    TZDBGrid *Grid() const { return m_grid; }
    TfrmRptBase *Report() const;
    /// Lets go of the report data (the report window is going).
    void ReleaseData();
    /// The export button: the grid as a workbook, asking before replacing
    /// a file.
    void Export();
    /// F3 on the current cell: the related record's window, when the cell
    /// names one.
    void OpenRelated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void bind();
    TZField *definitionOf(const QString &fieldName) const;

    // The grid first: the event filter reads it while the other widgets
    // are being made.
    TZDBGrid *m_grid = nullptr;
    QPointer<TfrmRptBase> m_report;
    QString m_progID;
    QLabel *m_title;
    QPushButton *m_export;
};
