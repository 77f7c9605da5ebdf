#pragma once

#include "layout/ZAutoLayoutPlan.h"

#include <QObject>
#include <QString>

#include <memory>

class QLabel;
class QTabWidget;
class QWidget;
class TOrvDataSet;
class TZDataSource;
class TZField;

/// The layout generator of a window: lays out one label and one editor per
/// visible field of a module's master table from the fields' UICtrlPosition,
/// SubPosition and CtrlWidthType (ZPlanAutoLayout), places them absolutely
/// on the window or on the pages of its page control, sizes the window to
/// them, and binds every editor to UIDataSource. Editors and labels the
/// window already has for a field are reused (editors found by their
/// binding, labels by the name "lbl" + field), so a designed window can mix
/// its own controls with generated ones; a run again reuses the controls of
/// the previous run.
///
/// Generated controls are named "DB" + field and "lbl" + field; placed
/// controls carry the tags the size keeper reads (ZTag). The window gets its
/// minimum size and size through QWidget (a framework window re-applies its
/// minimum size afterwards).
class TAutoDesignUI : public QObject
{
    Q_OBJECT

public:
    /// A non-visual part of `window`, which owns it.
    explicit TAutoDesignUI(QWidget *window);
    ~TAutoDesignUI() override;

    QString ProgID;
    TOrvDataSet *UIDataSource = nullptr;
    QTabWidget *UIPageControl = nullptr;
    QWidget *UIPageSheetHead = nullptr, *UIPageSheetSelf = nullptr, *UIPageSheetMemo = nullptr;

    /// Lays out the window. Raises objectName() + "的ProgID属性未设定" when
    /// ProgID is blank, and the data source cache's error for an unknown
    /// module.
    void AutoCreateCtrls();
    void ReFresh() { AutoCreateCtrls(); }

    /// The window's editor for the field: the first editor bound to a field
    /// of that name or of its AliasName (ignoring case), else the first editor named "DB" +
    /// field, with created false; else a new one from CreateCtrlByField.
    QWidget *GetDBCtrls(const TZField &field, bool &created);
    /// The window's component "lbl" + field, created false; else a new one.
    /// Raises "窗体上有个控件名称为 lbl<field> 却不是TLabel控件" when that
    /// component is no label.
    QLabel *GetDBLabel(const TZField &field, bool &created);
    /// A new editor on the window for the field's kind, named "DB" + field
    /// and bound to UIDataSource (when set; to the column of the field's
    /// AliasName when it has one, as the dataset selects it): text → line edit, or a
    /// TZDBLookUpCombobox with a RelativeDS (not for MakerID and
    /// PermitterID); date → date edit with a calendar; time → time edit;
    /// integers → pick-list combo box (storing the integer) with a PickList,
    /// else spin box; boolean → check box captioned with the DisplayName;
    /// float and money → right-aligned line edit; blob → image editor; memo
    /// → memo with a vertical scroll bar.
    QWidget *CreateCtrlByField(const TZField &field);
    /// A new transparent label on the window, "lbl" + field.
    QLabel *CreateLabelByField(const TZField &field);

    /// In a development run, true lays the window out (taking ProgID from
    /// the window's class name without its "Tfrm" prefix when blank).
    void SetFreshUI(bool value);
    bool FreshUI() const { return false; }

    /// The module of the last run (null before the first).
    TZDataSource *DataSource() const { return m_source.get(); }
    /// What the last run computed.
    const TZLayoutOut &LastPlan() const { return m_plan; }

private:
    int newEditorHeight(const QWidget *editor) const;
    QWidget *pageWidget(TZLayoutPage page) const;

    QWidget *m_window;
    std::shared_ptr<TZDataSource> m_source;
    TZLayoutOut m_plan;
};

/// The field an editor is bound to (through its TZFieldLink); empty when it
/// is bound to none.
QString GetFieldNameByCtrl(const QWidget *editor);
