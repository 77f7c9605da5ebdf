#pragma once

#include "print/TZReportLayout.h"
#include "print/ZReportPrint.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QGraphicsView;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class TZReportDesignScene;

/// The layout editor: the bands one under another with their objects
/// (placed, moved and sized with the mouse), a panel for the selected band
/// (height, group condition) and object (its text with the fields to insert,
/// font, alignment, frame, word wrap), and the actions "新增文本", "删除",
/// "预览" and "保存". Closing with unsaved changes asks whether to save.
class TfrmReportDesign final : public QDialog
{
    Q_OBJECT

public:
    /// Opens `layoutFile` when it exists (a bad file raises its EZError and
    /// nothing opens), else `startLayout`, which "保存" writes to `layoutFile`.
    TfrmReportDesign(QWidget *owner, const QString &layoutFile, const TZReportLayout &startLayout,
                     const TZReportData &data);
    ~TfrmReportDesign() override;

    const TZReportLayout &Layout() const { return m_layout; }
    bool Modified() const { return m_modified; }
    TZReportDesignScene *Scene() const { return m_scene; }
    QGraphicsView *View() const { return m_view; }

    /// Adds a text object to the selected band (the data band when none is
    /// selected) and selects it.
    void AddText();
    void DeleteSelected();
    void Save();
    void Preview();

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    QWidget *buildPanel();
    void fillFields();
    void showSelection();
    void setModified();
    /// Asks whether to save changes; false when the user stays.
    bool mayClose();
    TZReportObject *selectedObject();

    // Panel edits, written to the selected band or object at once.
    void onBandHeight(double height);
    void onGroup(const QString &text);
    void onText();
    void onFont();
    void onInsertField();

    QString m_file;
    TZReportLayout m_layout;
    TZReportData m_data;
    bool m_modified = false;
    bool m_showing = false;

    TZReportDesignScene *m_scene = nullptr;
    QGraphicsView *m_view = nullptr;
    QAction *m_delete = nullptr;
    QLabel *m_bandCaption = nullptr;
    QDoubleSpinBox *m_bandHeight = nullptr;
    QLineEdit *m_group = nullptr;
    QWidget *m_objectBox = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QListWidget *m_fields = nullptr;
    QFontComboBox *m_fontFamily = nullptr;
    QDoubleSpinBox *m_fontSize = nullptr;
    QCheckBox *m_bold = nullptr;
    QComboBox *m_align = nullptr;
    QCheckBox *m_frame = nullptr;
    QCheckBox *m_wrap = nullptr;
};
