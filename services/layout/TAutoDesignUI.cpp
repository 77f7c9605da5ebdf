#include "TAutoDesignUI.h"

#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "controls/TZDBImage.h"
#include "controls/TZFieldLink.h"
#include "controls/TZLookUpCombobox.h"
#include "controls/ZEditorAdapter.h"
#include "layout/ZControlTags.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZField.h"
#include "metadata/ZDataSources.h"
#include "settings/ZSession.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>

namespace {

// Heights of new editors that have no single-line height of their own.
constexpr int kMemoHeight = 60;
constexpr int kImageHeight = 100;

/// One visible field with the controls it gets.
struct TFieldControls
{
    const TZField *field = nullptr;
    QWidget *editor = nullptr;
    QLabel *label = nullptr;
    bool editorCreated = false;
    bool labelCreated = false;
};

/// The column of the window's dataset that shows a field: a field with an
/// AliasName is selected under it.
QString columnOf(const TZField &field)
{
    const QString alias = ZTrim(field.AliasName);
    return alias.isEmpty() ? field.FieldName : alias;
}

/// The window's controls, other than the fields' own and the page control,
/// that are tagged for the layout (11, 99 or a distance below the page
/// control), with what the plan needs of each.
QList<QWidget *> otherTaggedControls(QWidget &window, const QList<TFieldControls> &fields, const QWidget *pageControl,
                                     QList<TZLayoutOtherIn> &in)
{
    QList<QWidget *> others;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const int tag = ZTag(widget);
        if ((tag != 11 && tag != 99 && tag <= 10000) || widget == pageControl)
            continue;
        const bool ownedByField = std::any_of(fields.cbegin(), fields.cend(), [widget](const TFieldControls &c) {
            return c.editor == widget || c.label == widget;
        });
        if (ownedByField)
            continue;
        others << widget;
        in << TZLayoutOtherIn{widget->geometry(), tag,
                              qobject_cast<QToolBar *>(widget) || qobject_cast<QToolButton *>(widget)};
    }
    return others;
}

/// Puts an editor onto a page, filling it.
void fillPage(QWidget *page, QWidget *editor)
{
    auto *layout = qobject_cast<QVBoxLayout *>(page->layout());
    if (!layout) {
        delete page->layout();
        layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    if (layout->indexOf(editor) < 0) {
        editor->setParent(page);
        layout->addWidget(editor);
    }
    editor->show();
}

/// Gives a field's label and editor their place, caption and tags; `page`
/// is the page they go onto, or null to leave them where they are.
void applyPlaced(const TZLayoutFieldOut &placed, const TFieldControls &made, QWidget *page)
{
    QLabel *label = made.label;
    QWidget *editor = made.editor;
    if (page) {
        label->setParent(page);
        editor->setParent(page);
    }
    auto *check = qobject_cast<QCheckBox *>(editor);
    label->setText(made.field->DisplayName);
    label->setGeometry(placed.label);
    label->setVisible(placed.labelVisible && !check);
    if (made.labelCreated)
        label->setBuddy(editor);
    if (placed.labelTag != 0)
        SetZTag(label, placed.labelTag);
    if (check)
        check->setText(made.field->DisplayName);
    editor->setGeometry(placed.editor);
    SetZTag(editor, placed.editorTag);
    editor->show();
}

} // namespace

TAutoDesignUI::TAutoDesignUI(QWidget *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("AutoDesignUI"));
}

TAutoDesignUI::~TAutoDesignUI() = default;

QString GetFieldNameByCtrl(const QWidget *editor)
{
    const TZFieldLink *link = TZFieldLink::LinkOf(editor);
    return link ? link->FieldName() : QString();
}

QWidget *TAutoDesignUI::GetDBCtrls(const TZField &field, bool &created)
{
    created = false;
    const QList<QWidget *> widgets = m_window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!ZEditorAdapter::IsEditor(widget))
            continue;
        const QString bound = GetFieldNameByCtrl(widget);
        if (bound.compare(field.FieldName, Qt::CaseInsensitive) == 0
            || bound.compare(columnOf(field), Qt::CaseInsensitive) == 0)
            return widget;
    }
    const QString name = QStringLiteral("DB") + field.FieldName;
    for (QWidget *widget : widgets) {
        if (ZEditorAdapter::IsEditor(widget) && widget->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return widget;
    }
    created = true;
    return CreateCtrlByField(field);
}

QLabel *TAutoDesignUI::GetDBLabel(const TZField &field, bool &created)
{
    created = false;
    const QString name = QStringLiteral("lbl") + field.FieldName;
    if (QObject *found = m_window->findChild<QObject *>(name)) {
        if (auto *label = qobject_cast<QLabel *>(found))
            return label;
        throw EZError(QStringLiteral("窗体上有个控件名称为 lbl") + field.FieldName + QStringLiteral(" 却不是TLabel控件"));
    }
    created = true;
    return CreateLabelByField(field);
}

QWidget *TAutoDesignUI::CreateCtrlByField(const TZField &field)
{
    QWidget *editor = nullptr;
    TZDBLookUpCombobox *lookUp = nullptr;
    switch (field.FieldType) {
    case ftZString: {
        const bool stamp = field.FieldName.compare(QLatin1String("MakerID"), Qt::CaseInsensitive) == 0
                           || field.FieldName.compare(QLatin1String("PermitterID"), Qt::CaseInsensitive) == 0;
        if (ZIsBlank(field.RelativeDS) || stamp)
            editor = new QLineEdit(m_window);
        else
            editor = lookUp = new TZDBLookUpCombobox(m_window);
        break;
    }
    case ftZDate: {
        auto *date = new QDateEdit(m_window);
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        // An empty date is shown as the editor's minimum: show it blank.
        date->setSpecialValueText(QStringLiteral(" "));
        editor = date;
        break;
    }
    case ftZTime:
        editor = new QTimeEdit(m_window);
        break;
    case ftZInteger:
    case ftZSmallint:
        if (!field.PickList.isEmpty()) {
            auto *combo = new QComboBox(m_window);
            const QStringList texts = field.GetPickListTextForCbxList().split(QLatin1Char('\n'));
            QList<int> values;
            for (const QString &text : texts)
                values << field.GetPickListValue(text);
            ZEditorAdapter::SetPickList(combo, texts, values);
            editor = combo;
        } else {
            auto *spin = new QSpinBox(m_window);
            if (field.FieldType == ftZSmallint)
                spin->setRange(SHRT_MIN, SHRT_MAX);
            else
                spin->setRange(INT_MIN, INT_MAX);
            editor = spin;
        }
        break;
    case ftZBoolean:
        editor = new QCheckBox(field.DisplayName, m_window);
        break;
    case ftZFloat:
    case ftZCurrency: {
        auto *line = new QLineEdit(m_window);
        line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        editor = line;
        break;
    }
    case ftZBlob:
        editor = new TZDBImage(m_window);
        break;
    case ftZMemo: {
        auto *memo = new QPlainTextEdit(m_window);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        editor = memo;
        break;
    }
    }
    editor->setObjectName(QStringLiteral("DB") + field.FieldName);
    if (lookUp) {
        if (UIDataSource && !ZIsBlank(UIDataSource->ProgID))
            lookUp->InitSource(*UIDataSource, columnOf(field));
        else
            lookUp->BindSource(field.RelativeDS);
    }
    if (UIDataSource)
        new TZFieldLink(editor, *UIDataSource, columnOf(field));
    return editor;
}

QLabel *TAutoDesignUI::CreateLabelByField(const TZField &field)
{
    auto *label = new QLabel(field.DisplayName, m_window);
    label->setObjectName(QStringLiteral("lbl") + field.FieldName);
    label->setAutoFillBackground(false);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

int TAutoDesignUI::newEditorHeight(const QWidget *editor) const
{
    if (ZEditorAdapter::IsMemo(editor))
        return kMemoHeight;
    if (qobject_cast<const TZDBImage *>(editor))
        return kImageHeight;
    return editor->sizeHint().height();
}

QWidget *TAutoDesignUI::pageWidget(TZLayoutPage page) const
{
    switch (page) {
    case TZLayoutPage::Head:
        return UIPageSheetHead;
    case TZLayoutPage::Self:
        return UIPageSheetSelf;
    case TZLayoutPage::Memo:
        return UIPageSheetMemo;
    default:
        return nullptr;
    }
}

void TAutoDesignUI::AutoCreateCtrls()
{
    if (ZIsBlank(ProgID))
        throw EZError(objectName() + QStringLiteral("的ProgID属性未设定"));
    m_source = GetDataSourcePtr(ProgID);
    QList<const TZField *> fields;
    if (!m_source->Datasets.empty() && !m_source->Datasets.front()->Tables.empty()) {
        for (const auto &field : m_source->Datasets.front()->Tables.front()->Fields)
            fields << field.get();
    }

    // The controls of every visible field: found or made before placing, so
    // that the plan knows which exist and how tall new editors are.
    TZLayoutIn in;
    QList<TFieldControls> controls;
    for (const TZField *field : std::as_const(fields)) {
        TZLayoutFieldIn input;
        input.name = field->FieldName;
        input.kind = field->FieldType;
        input.zone = field->UICtrlPosition;
        input.sub = field->SubPosition;
        input.width = field->CtrlWidthType;
        input.visible = field->GetZFieldVisible();
        TFieldControls made;
        made.field = field;
        if (input.visible) {
            // A memo goes onto the memo page when its editor is new, or
            // stays there when an earlier run put it there; a memo editor
            // found elsewhere is placed like any other.
            bool onMemoPage = false;
            if (field->FieldType == ftZMemo && UIPageSheetMemo) {
                made.editor = GetDBCtrls(*field, made.editorCreated);
                onMemoPage = made.editorCreated || made.editor->parentWidget() == UIPageSheetMemo;
            }
            if (!onMemoPage) {
                made.label = GetDBLabel(*field, made.labelCreated);
                if (!made.editor)
                    made.editor = GetDBCtrls(*field, made.editorCreated);
            }
            input.hasEditor = !made.editorCreated && !onMemoPage;
            input.editor = made.editor->geometry();
            input.editorHeight = made.editorCreated ? newEditorHeight(made.editor) : made.editor->height();
            if (made.label) {
                input.hasLabel = !made.labelCreated;
                input.label = made.label->geometry();
                input.labelTag = ZTag(made.label);
                input.labelHeight = made.label->sizeHint().height();
            }
        }
        in.fields << input;
        controls << made;
    }

    const QList<QWidget *> others = otherTaggedControls(*m_window, controls, UIPageControl, in.others);
    in.hasPageControl = UIPageControl;
    if (UIPageControl)
        in.pageControl = UIPageControl->geometry();
    in.hasHeadPage = UIPageSheetHead;
    in.hasSelfPage = UIPageSheetSelf;
    in.hasMemoPage = UIPageSheetMemo;
    in.minHeight = m_window->minimumHeight();
    in.minWidth = m_window->minimumWidth();

    m_plan = ZPlanAutoLayout(in);

    for (int i = 0; i < controls.size(); ++i) {
        const TZLayoutFieldOut &placed = m_plan.fields.at(i);
        if (placed.fillsPage)
            fillPage(UIPageSheetMemo, controls.at(i).editor);
        else if (placed.placed)
            applyPlaced(placed, controls.at(i), pageWidget(placed.page));
    }
    for (int i = 0; i < others.size(); ++i)
        SetZTag(others.at(i), m_plan.otherTags.at(i));

    if (m_plan.minHeight < m_window->minimumHeight())
        m_window->setMinimumHeight(m_plan.minHeight);
    m_window->setMinimumWidth(m_plan.minWidth);
    m_window->resize(m_plan.width, m_plan.height);
    if (UIPageControl) {
        SetZTag(UIPageControl, m_plan.pageControlTag);
        UIPageControl->setGeometry(m_plan.pageControl);
        SetZAnchors(UIPageControl, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
        if (UIPageSheetHead)
            UIPageControl->setTabVisible(UIPageControl->indexOf(UIPageSheetHead), m_plan.headTabShown);
        if (UIPageSheetSelf)
            UIPageControl->setTabVisible(UIPageControl->indexOf(UIPageSheetSelf), m_plan.selfTabShown);
    }
}

void TAutoDesignUI::SetFreshUI(bool value)
{
    if (!InDevelopmentEnv || !value)
        return;
    if (ZIsBlank(ProgID))
        ProgID = QString::fromLatin1(m_window->metaObject()->className()).mid(4);
    AutoCreateCtrls();
}
