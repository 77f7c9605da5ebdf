#pragma once

#include "forms/TfrmZForm.h"
#include "print/TZReportLayout.h"
#include "report/ZRptDefinition.h"

#include <QList>
#include <QPointer>
#include <QStringList>

#include <memory>

class QComboBox;
class QGroupBox;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TPrintRange;
class TRptDataSet;
class TZDataField;
class TZDataSource;
class TZField;

/// The report window: it asks for the conditions of its report definition
/// (RptSql/<module>.rql, one TPrintRange per condition line), builds the
/// report statements from the definition or the module's data source, and
/// shows the result in the grid window (GridViewFormClassName) or as a
/// fixed-layout printable report. Configured by its first "[FormParams]"
/// value; closing it closes its grid window.
///
/// Each operation below is a hook a report of its own overrides.
class TfrmRptBase : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmRptBase(QWidget *parent = nullptr);
    ~TfrmRptBase() override;

    /// "[FormParams]": the module of the record becomes the report's; the
    /// caption, the layout names and the definition follow it.
    void FormReturnValue(const QString &name, const QString &value) override;
    QString GetProgID() override { return m_progID; }

    // --- overridable operations ---
    /// The fragments of all condition controls.
    virtual void GetPrintCtrlsWhere(int index, QString &where);
    /// GetPrintCtrlsWhere, then " And A.HasCheck = 1" when the report's table
    /// has HasCheck.
    virtual void AddSqlWhere(int index, QString &where);
    /// The statement of the definition file (result set 0), or empty.
    virtual void GetDesignSql(int index, QString &sql);
    /// The source-mode statement with the conditions.
    virtual void GetSrcProgIDSql(int index, QString &sql);
    /// The statement of result set `index`.
    virtual void GetPrintSql(int index, QString &sql);
    /// Opens result set `index` (when it has a dataset) with GetPrintSql.
    virtual void DoPreparyData(int index);
    virtual void UpdateRptData(TRptDataSet *dataset, int index);
    /// The parameter data, then every result set in turn.
    virtual void DoPreparyDatas();
    virtual void BeforeRun();
    /// Prepares the data and shows it in the grid window.
    virtual void DoGridRun();
    /// Prepares the data and shows the printable report.
    virtual void DoFixRun();
    virtual void DoStop();
    /// Prepares the data and opens the layout designer.
    virtual void DoDesign();
    /// One condition control per condition of the definition.
    virtual void CreateWhereCtrl();
    virtual void AfterCreateWhereCtrl(int top);
    /// The text of a report field: its data source field's display.
    virtual QString FieldOnGetText(const TZDataField &field);
    /// The footer text of a column's sum in the grid window; empty leaves the
    /// grid's own (by the field's definition). For columns the report shows
    /// through FieldOnGetText in a way their definition does not give.
    virtual QString FooterText(const QString &field, const QVariant &sum);
    virtual QString GridViewFormClassName();
    /// The report data for index 0, none otherwise.
    virtual TRptDataSet *GetRptDataset(int index);
    virtual void SetFieldVisible(const QString &name, bool visible);
    virtual void SetFieldDisplayLabel(const QString &name, const QString &label);

    // --- state ---
    TRptDataSet &ReportData() const { return *m_reportData; }
    TRptDataSet &ParamData() const { return *m_paramData; }
    const TZRptDefinition &Definition() const { return m_definition; }
    bool SourceMode() const { return m_definition.sourceMode; }
    const QString &SrcProgID() const { return m_definition.srcProgID; }
    /// The data source whose fields the report shows: the source module in
    /// source mode, else the report's own.
    std::shared_ptr<TZDataSource> FieldSource() const;
    /// The definition of a report column (or of a condition's column, its
    /// alias dropped) in FieldSource; null when it has none.
    TZField *FieldDefinition(const QString &fieldName) const;
    const QList<TPrintRange *> &PrintCtrls() const { return m_ctrls; }
    TPrintRange *PrintCtrl(const QString &field) const;
    bool Stopped() const { return m_stop; }
    QWidget *GridViewForm() const { return m_gridView; }

    QStringList LayoutNames() const { return m_layoutNames; }
    /// Keeps the layout names in the parameter "RptFile_" + module.
    void SetLayoutNames(const QStringList &names);
    bool FixedReport() const;
    QString LayoutName() const;
    /// Grid or fixed report with a layout name.
    void SetReportType(bool fixed, const QString &layoutName = QString());

    /// The layout file of the chosen layout name:
    /// Report/Rpt_<module>_<layout>.zrl below the program folder.
    QString LayoutFile() const;
    /// The chosen layout: its file when it exists, else a plain layout of
    /// the report's shown columns (saved under the file by the designer).
    TZReportLayout FixedLayout();

    /// "确定(&G)": BeforeRun, then the grid or fixed run.
    void Run();
    /// "固定报表名称设置": the layout names edited as one text, "," between.
    void EditLayoutNames();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    QProgressBar *ProgressBar() const { return m_progress; }

private:
    void ensureWhereCtrls();
    void fillLayoutCombo();
    void closeGridView();
    QString fieldProgID(const QString &fieldName) const;

    std::unique_ptr<TRptDataSet> m_reportData;
    std::unique_ptr<TRptDataSet> m_paramData;
    QString m_progID;
    TZRptDefinition m_definition;
    QStringList m_layoutNames;
    QList<TPrintRange *> m_ctrls;
    bool m_whereBuilt = false;
    bool m_stop = false;
    QPointer<QWidget> m_gridView;

    QGroupBox *m_whereBox;
    QRadioButton *m_gridType;
    QRadioButton *m_fixType;
    QComboBox *m_layouts;
    QPushButton *m_names;
    QProgressBar *m_progress;
    QPushButton *m_run;
    QPushButton *m_stopButton;
    QPushButton *m_design;
};
