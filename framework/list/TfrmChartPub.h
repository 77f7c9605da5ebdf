#pragma once

#include "forms/TfrmZForm.h"
#include "list/ZChartData.h"

class QComboBox;
class QPushButton;
class TZClientDataSet;

class QChartView;

/// The chart window of a list: the sums of one or more value fields per
/// category of an item field, drawn as a bar, line or pie chart; the user
/// switches the kind in the combo box "图表类型" and saves the chart as a PNG
/// picture with "保存图片". A pie shows the first value field. The window
/// keeps its own copy of the sums, so the list may reload or close meanwhile.
class TfrmChartPub final : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmChartPub(QWidget *parent = nullptr);
    ~TfrmChartPub() override;

    /// Shows the sums under the caption (window title and chart title).
    void SetChartData(const TZChartData &data, const QString &caption, TZChartKind kind);
    const TZChartData &ChartData() const { return m_data; }

    void SetKind(TZChartKind kind);
    TZChartKind Kind() const { return m_kind; }

    QChartView *ChartView() const { return m_view; }
    QComboBox *KindBox() const { return m_kinds; }

    /// Writes the chart as it is drawn now to a PNG file; raises EZError
    /// naming the file when it cannot be written.
    void SavePicture(const QString &fileName);
    /// "保存图片": asks for the file (the framework's file dialog) and saves.
    void DoSavePicture();

    bool IsGetFormPositionAndSize() override { return false; }
    bool NeedDBConn() override { return false; }
    bool NeedGridLogCtrl() override { return false; }

private:
    void rebuild();

    TZChartData m_data;
    TZChartKind m_kind = ckBar;
    QString m_caption;
    QChartView *m_view;
    QComboBox *m_kinds;
    QPushButton *m_save;
};

/// Opens a chart window over the rows of `data` (the list's dataset) with
/// the list's chart settings: the category field, the value fields (several
/// separated by ","), the initial kind (ZChartKindOf). The window stands in
/// front of and centred on `owner`. Raises EZError for a blank or unknown
/// field.
void ZShowChart(QWidget *owner, TZClientDataSet &data, const QString &caption, const QString &itemField,
                const QString &valueField, const QString &valueType);
