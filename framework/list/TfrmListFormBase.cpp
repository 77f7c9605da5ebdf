// The list with its left panel: the panel, the periods and the panel's open
// or closed state.

#include "TfrmListFormBase.h"

#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "ini/TZIniFile.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const char16_t *const kDataAreaTexts[] = {u"显示今天数据",  u"显示本周数据",  u"显示本月数据",  u"显示今年数据",
                                          u"显示最近50笔", u"显示最近100笔", u"显示最近500笔", u"显示所有数据"};

const QString kListFormSection = QStringLiteral("ListForm");
const QString kLeftSideKey = QStringLiteral("LeftSideClosed");

} // namespace

QString ZDataAreaText(TDataArea area)
{
    return QString::fromUtf16(kDataAreaTexts[area]);
}

TDataArea ZDataAreaOfText(const QString &text)
{
    for (int area = lsToday; area <= lsAll; ++area) {
        if (ZDataAreaText(TDataArea(area)) == text)
            return TDataArea(area);
    }
    return lsTop50;
}

TfrmListFormBase::TfrmListFormBase(QWidget *parent) : TfrmListForm(parent)
{
    m_panel = buildPanel();
    Body()->insertWidget(0, m_panel);
    Body()->setStretchFactor(0, 0);
    Body()->setStretchFactor(1, 1);
    Body()->setSizes({200, 620});

    m_leftSide = new QAction(style()->standardIcon(QStyle::SP_FileDialogListView), QStringLiteral("筛选"), this);
    m_leftSide->setObjectName(QStringLiteral("actLeftSide"));
    m_leftSide->setCheckable(true);
    m_leftSide->setChecked(true);
    ToolBar()->insertAction(Action(QStringLiteral("actClose")), m_leftSide);
    ToolBar()->insertSeparator(Action(QStringLiteral("actClose")));
    connect(m_leftSide, &QAction::toggled, this, [this](bool open) { m_panel->setVisible(open); });

    connect(m_period, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling && !Initialising())
            ZGuard([this] { GetData(); });
    });
    connect(m_fieldChooser, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            ZGuard([this] { SetFilterField(m_fieldChooser->currentData().toString()); });
    });
    connect(m_values, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!m_filling)
            ZGuard([this, item] { SetValueTicked(item->text(), item->checkState() == Qt::Checked); });
    });
    connect(m_keyWord, &QLineEdit::textChanged, this, [this] { ZGuard([this] { applyFilter(); }); });
    connect(m_keyWord, &QLineEdit::returnPressed, this, [this] { ZGuard([this] { Reload(); }); });
    DataSet().SetFiltered(true);
    DataSet().SetRowFilter([this](TZClientDataSet &rows, const TZRowData &row) { return rowPasses(rows, row); });
}

TfrmListFormBase::~TfrmListFormBase()
{
    ZGuard([this] { saveLeftSide(); });
    DataSet().SetRowFilter(nullptr);
}

QWidget *TfrmListFormBase::buildPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlLeft"));
    panel->setMinimumWidth(160);
    m_period = new QComboBox(panel);
    m_period->setObjectName(QStringLiteral("cbxDataArea"));
    m_fieldChooser = new QComboBox(panel);
    m_fieldChooser->setObjectName(QStringLiteral("cbxFilterField"));
    m_values = new QListWidget(panel);
    m_values->setObjectName(QStringLiteral("lstFilterValues"));
    m_keyWord = new QLineEdit(panel);
    m_keyWord->setObjectName(QStringLiteral("edtKeyWord"));
    m_keyWord->setClearButtonEnabled(true);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 6, 2, 6);
    layout->addWidget(new QLabel(QStringLiteral("数据范围："), panel));
    layout->addWidget(m_period);
    layout->addWidget(new QLabel(QStringLiteral("关键字："), panel));
    layout->addWidget(m_keyWord);
    layout->addWidget(new QLabel(QStringLiteral("按字段筛选："), panel));
    layout->addWidget(m_fieldChooser);
    layout->addWidget(m_values, 1);
    return panel;
}

// --- periods ---

void TfrmListFormBase::FormInit()
{
    TfrmListForm::FormInit();
    fillPeriods();
    fillFieldChooser();
}

void TfrmListFormBase::fillPeriods()
{
    m_filling = true;
    m_period->clear();
    // The periods by date need the module's date field.
    const bool dated = !ZTrim(DataSource().DateField).isEmpty();
    for (int area = dated ? lsToday : lsTop50; area <= lsAll; ++area)
        m_period->addItem(ZDataAreaText(TDataArea(area)), area);
    m_period->setCurrentIndex(m_period->findData(dated ? lsTop50 : lsAll));
    m_filling = false;
}

TDataArea TfrmListFormBase::DataArea() const
{
    return ZDataAreaOfText(m_period->currentText());
}

void TfrmListFormBase::SetDataAreaText(const QString &text)
{
    const int index = m_period->findText(ZDataAreaText(ZDataAreaOfText(text)));
    if (index >= 0)
        m_period->setCurrentIndex(index);
}

QStringList TfrmListFormBase::DataAreaTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_period->count(); ++i)
        texts << m_period->itemText(i);
    return texts;
}

void TfrmListFormBase::GetDataSql(QString &sql)
{
    if (!ConditionInForce())
        sql = DataSource().Datasets.front()->GetListSql(DataArea());
}

// --- the panel's state ---

bool TfrmListFormBase::LeftSideClosed() const
{
    return !m_leftSide->isChecked();
}

void TfrmListFormBase::SetLeftSideClosed(bool closed)
{
    m_leftSide->setChecked(!closed);
}

void TfrmListFormBase::showEvent(QShowEvent *event)
{
    TfrmListForm::showEvent(event);
    if (m_stateRestored)
        return;
    m_stateRestored = true;
    ZGuard([this] {
        const TZIniFile store(FormStorePath());
        SetLeftSideClosed(store.ReadString(kListFormSection, kLeftSideKey, QStringLiteral("0")) == QLatin1String("1"));
    });
}

void TfrmListFormBase::saveLeftSide()
{
    // A window never shown has no state of its own to keep.
    if (!m_stateRestored)
        return;
    TZIniFile store(FormStorePath());
    store.WriteString(kListFormSection, kLeftSideKey, LeftSideClosed() ? QStringLiteral("1") : QStringLiteral("0"));
}
