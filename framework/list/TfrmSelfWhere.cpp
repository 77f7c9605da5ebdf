#include "TfrmSelfWhere.h"

#include "ZSelfWhereText.h"
#include "forms/ZMessageBox.h"

#include "common/ZClock.h"
#include "common/ZDates.h"
#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZTranSqlWhere.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

// The pages of the value editor.
enum ValuePage { vpText, vpDate, vpTime, vpYesNo };

constexpr int kTypeRole = Qt::UserRole;

// The visible fields of a dataset's first table (the fields a reference
// resolves to), as "<prefix>" + caption with their types. Pictures cannot be
// compared and are left out.
void addFields(QComboBox &list, const TZDataset &dataset, const QString &prefix)
{
    if (dataset.Tables.empty())
        return;
    for (const auto &field : dataset.Tables.front()->Fields) {
        if (!field->GetZFieldVisible() || field->FieldType == ftZBlob)
            continue;
        list.addItem(prefix + field->DisplayName, int(field->FieldType));
    }
}

} // namespace

TfrmSelfWhere::TfrmSelfWhere(const QString &progID, QWidget *parent)
    : QDialog(parent),
      m_progID(progID),
      m_field(new QComboBox(this)),
      m_operator(new QComboBox(this)),
      m_values(new QStackedWidget(this)),
      m_textValue(new QLineEdit(this)),
      m_dateValue(new QDateEdit(this)),
      m_timeValue(new QTimeEdit(this)),
      m_yesNoValue(new QComboBox(this)),
      m_text(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("查询条件"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setObjectName(QStringLiteral("frmSelfWhere"));
    m_field->setObjectName(QStringLiteral("cbxField"));
    m_operator->setObjectName(QStringLiteral("cbxOperator"));
    m_textValue->setObjectName(QStringLiteral("edtValue"));
    m_dateValue->setObjectName(QStringLiteral("dteValue"));
    m_timeValue->setObjectName(QStringLiteral("tmeValue"));
    m_yesNoValue->setObjectName(QStringLiteral("cbxYesNo"));
    m_text->setObjectName(QStringLiteral("memWhere"));

    m_field->setMinimumContentsLength(10);
    m_field->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_operator->addItems(ZWhereOperators());
    m_dateValue->setCalendarPopup(true);
    m_dateValue->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_timeValue->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_yesNoValue->addItems({QStringLiteral("是"), QStringLiteral("否")});
    m_values->insertWidget(vpText, m_textValue);
    m_values->insertWidget(vpDate, m_dateValue);
    m_values->insertWidget(vpTime, m_timeValue);
    m_values->insertWidget(vpYesNo, m_yesNoValue);
    m_values->setMinimumWidth(150);

    auto *choose = new QHBoxLayout;
    choose->addWidget(new QLabel(QStringLiteral("查询字段"), this));
    choose->addWidget(m_field, 2);
    choose->addWidget(new QLabel(QStringLiteral("操作符"), this));
    choose->addWidget(m_operator, 1);
    choose->addWidget(new QLabel(QStringLiteral("值"), this));
    choose->addWidget(m_values, 2);
    auto *add = new QPushButton(QStringLiteral("添加"), this);
    add->setObjectName(QStringLiteral("btnAdd"));
    add->setAutoDefault(false);
    add->setFocusPolicy(Qt::NoFocus);
    connect(add, &QPushButton::clicked, this, [this] { ZGuard([this] { AddCondition(); }); });
    choose->addWidget(add);

    auto *grid = new QGridLayout;
    grid->setSpacing(4);
    buildButtons(*grid);

    auto *check = new QPushButton(QStringLiteral("语法检查"), this);
    check->setObjectName(QStringLiteral("btnCheck"));
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton *button : {check, ok, cancel})
        button->setAutoDefault(false);
    connect(check, &QPushButton::clicked, this, [this] { ZGuard([this] { CheckSyntax(); }); });
    connect(ok, &QPushButton::clicked, this, &TfrmSelfWhere::accept);
    connect(cancel, &QPushButton::clicked, this, &TfrmSelfWhere::reject);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(check);
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 10);
    layout->addLayout(choose);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QStringLiteral("查询条件："), this));
    layout->addWidget(m_text, 1);
    layout->addLayout(bottom);

    buildFieldList();
    connect(m_field, &QComboBox::currentIndexChanged, this, [this] { fieldChanged(); });
    fieldChanged();
    resize(720, 460);
}

TfrmSelfWhere::~TfrmSelfWhere() = default;

void TfrmSelfWhere::buildFieldList()
{
    TZDataSource &source = GetDataSource(m_progID);
    if (source.DatasetCount() > 0)
        addFields(*m_field, *source.Datasets.front(), QStringLiteral("A."));
    if (source.DatasetCount() > 1)
        addFields(*m_field, *source.Datasets.at(1), QStringLiteral("B."));
    // No field is chosen at first: the functions ask for one.
    m_field->setCurrentIndex(-1);
}

QPushButton *TfrmSelfWhere::addButton(QGridLayout &grid, const char *name, const QString &caption, int row,
                                      int column, const std::function<void()> &action, int columnSpan)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus); // the caret stays in the condition text
    connect(button, &QPushButton::clicked, this, [action] { ZGuard(action); });
    grid.addWidget(button, row, column, 1, columnSpan);
    return button;
}

void TfrmSelfWhere::buildButtons(QGridLayout &grid)
{
    const auto word = [this](const QString &text) { return [this, text] { insertText(text); }; };
    struct Word
    {
        const char *name;
        const char16_t *text;
    };
    static const Word operators[] = {{"btnAnd", u"并且"},   {"btnOr", u"或者"},    {"btnPlus", u"加"},
                                     {"btnMinus", u"减"},   {"btnTimes", u"乘"},   {"btnDivide", u"除"},
                                     {"btnLeft", u"("},     {"btnRight", u")"}};
    int column = 0;
    for (const Word &item : operators)
        addButton(grid, item.name, QString::fromUtf16(item.text), 0, column++, word(QString::fromUtf16(item.text)));
    addButton(grid, "btnClear", QStringLiteral("清除"), 0, column, [this] { m_text->clear(); });

    addButton(grid, "btnField", QStringLiteral("字段"), 1, 0, [this] {
        if (FieldText().isEmpty())
            throw EZError(QStringLiteral("[查询字段]不能为空！"));
        insertText(QLatin1Char('[') + FieldText() + QLatin1Char(']'));
    });
    addButton(grid, "btnOperator", QStringLiteral("操作符"), 1, 1, [this] {
        if (m_operator->currentText().isEmpty())
            throw EZError(QStringLiteral("[操作符]不能为空！"));
        insertText(m_operator->currentText());
    });
    addButton(grid, "btnValue", QStringLiteral("值"), 1, 2, [this] { insertText(ValueText()); });
    static const Word nows[] = {{"btnToday", u"当前日期"}, {"btnNow", u"当前时间"}, {"btnYear", u"当前年"},
                                {"btnMonth", u"当前月"},   {"btnDay", u"当前日"},   {"btnHour", u"当前时"},
                                {"btnMinute", u"当前分"},  {"btnSecond", u"当前秒"}};
    column = 3;
    int row = 1;
    for (const Word &item : nows) {
        addButton(grid, item.name, QString::fromUtf16(item.text), row, column, word(QString::fromUtf16(item.text)));
        if (++column == 9) {
            column = 0;
            ++row;
        }
    }
    static const Word days[] = {{"btnWeek1", u"星期一"}, {"btnWeek2", u"星期二"}, {"btnWeek3", u"星期三"},
                                {"btnWeek4", u"星期四"}, {"btnWeek5", u"星期五"}, {"btnWeek6", u"星期六"},
                                {"btnWeek7", u"星期日"}};
    column = 2;
    for (const Word &item : days)
        addButton(grid, item.name, QString::fromUtf16(item.text), row, column++, word(QString::fromUtf16(item.text)));
    ++row;
    struct Function
    {
        const char *name;
        const char16_t *caption;
        const char16_t *format;
        bool date;
    };
    static const Function functions[] = {
        {"btnYearOf", u"年()", u"年(%1)", true},
        {"btnMonthOf", u"月()", u"月(%1)", true},
        {"btnDayOf", u"日()", u"日(%1)", true},
        {"btnWeekOf", u"星期几()", u"星期几(%1)", true},
        {"btnHourOf", u"时()", u"时间拆分(时,%1)", false},
        {"btnMinuteOf", u"分()", u"时间拆分(分,%1)", false},
        {"btnSecondOf", u"秒()", u"时间拆分(秒,%1)", false},
    };
    column = 0;
    for (const Function &item : functions) {
        const QString format = QString::fromUtf16(item.format);
        const bool date = item.date;
        addButton(grid, item.name, QString::fromUtf16(item.caption), row, column++,
                  [this, format, date] { insertFunction(format, date); });
    }
    addButton(grid, "btnWeekToday", QStringLiteral("星期几(当前日期)"), row, column, word(QStringLiteral("星期几(当前日期)")),
              2);
}

QString TfrmSelfWhere::Text() const
{
    return m_text->toPlainText();
}

void TfrmSelfWhere::SetText(const QString &text)
{
    m_text->setPlainText(text);
    m_text->moveCursor(QTextCursor::End);
}

QString TfrmSelfWhere::FieldText() const
{
    return m_field->currentIndex() < 0 ? QString() : m_field->currentText();
}

TZFieldType TfrmSelfWhere::FieldType() const
{
    return m_field->currentIndex() < 0 ? ftZString : TZFieldType(m_field->currentData(kTypeRole).toInt());
}

void TfrmSelfWhere::fieldChanged()
{
    const TZFieldType type = FieldType();
    if (FieldText().isEmpty() || (type != ftZDate && type != ftZTime && type != ftZBoolean)) {
        m_values->setCurrentIndex(vpText);
        return;
    }
    if (type == ftZDate) {
        m_dateValue->setDate(ZDate());
        m_values->setCurrentIndex(vpDate);
    } else if (type == ftZTime) {
        m_timeValue->setTime(ZTime());
        m_values->setCurrentIndex(vpTime);
    } else {
        m_values->setCurrentIndex(vpYesNo);
    }
}

QString TfrmSelfWhere::ValueText() const
{
    const QString op = m_operator->currentText();
    const TZFieldType type = FieldType();
    QString text;
    switch (m_values->currentIndex()) {
    case vpDate:
        text = op.contains(QStringLiteral("包含")) ? m_dateValue->text()
                                                  : QString::number(DateToIntDate(m_dateValue->date()));
        break;
    case vpTime:
        text = op.contains(QStringLiteral("包含")) ? m_timeValue->text()
                                                  : QString::number(TimeToInt(m_timeValue->time()));
        break;
    case vpYesNo:
        text = m_yesNoValue->currentText();
        break;
    default:
        text = m_textValue->text();
        break;
    }
    return ZWhereValueText(type, op, text);
}

void TfrmSelfWhere::insertText(const QString &text)
{
    QTextCursor cursor = m_text->textCursor();
    cursor.insertText(text + QLatin1Char(' '));
    m_text->setTextCursor(cursor);
    m_text->moveCursor(QTextCursor::End);
}

void TfrmSelfWhere::insertFunction(const QString &format, bool date)
{
    const TZFieldType wanted = date ? ftZDate : ftZTime;
    if (FieldText().isEmpty())
        throw EZError(date ? QStringLiteral("请先选择一个日期的查询字段") : QStringLiteral("请先选择一个时间的查询字段"));
    if (FieldType() != wanted)
        throw EZError(date ? QStringLiteral("您选择的不是日期字段，请重新选择！")
                           : QStringLiteral("您选择的不是时间字段，请重新选择！"));
    insertText(format.arg(QLatin1Char('[') + FieldText() + QLatin1Char(']')));
}

void TfrmSelfWhere::AddCondition()
{
    if (FieldText().isEmpty())
        throw EZError(QStringLiteral("[查询字段]不能为空！"));
    if (m_operator->currentText().isEmpty())
        throw EZError(QStringLiteral("[操作符]不能为空！"));
    QTextCursor cursor = m_text->textCursor();
    cursor.insertText(
        QStringLiteral("[%1] %2 %3").arg(FieldText(), m_operator->currentText(), ValueText()));
    m_text->setTextCursor(cursor);
    m_text->moveCursor(QTextCursor::End);
}

void TfrmSelfWhere::CheckSyntax()
{
    const QString failure = ZCheckSelfWhere(m_progID, Text());
    ZShowMessage(failure.isEmpty() ? QStringLiteral("语法正确") : ZSelfWhereFailure(failure));
}

void TfrmSelfWhere::accept()
{
    ZGuard([this] {
        const QString failure = ZCheckSelfWhere(m_progID, Text());
        if (!failure.isEmpty())
            throw EZError(ZSelfWhereFailure(failure));
        QDialog::accept();
    });
}

bool TfrmSelfWhere::Execute(QWidget *owner)
{
    m_text->setFocus();
    return ZExecBox(*this, owner) == QDialog::Accepted;
}

bool TfrmSelfWhere::GetSelfWhere(QWidget *owner, QString &sqlWhere, bool &useDetail)
{
    if (!Execute(owner))
        return false;
    const QString text = Text();
    useDetail = text.contains(QLatin1String("B."));
    sqlWhere = TranSqlWhere(GetDataSource(m_progID), text);
    return true;
}

bool GetSelfWhere(QWidget *owner, const QString &formClass, const QString &progID, QString &sqlWhere,
                  bool &useDetail)
{
    TfrmSelfWhere editor(progID);
    if (editor.Text().isEmpty())
        editor.SetText(ZLoadSelfWhere(formClass, progID));
    if (!editor.GetSelfWhere(owner, sqlWhere, useDetail))
        return false;
    ZSaveSelfWhere(formClass, progID, editor.Text());
    return true;
}

bool GetWhereText(QWidget *owner, const QString &progID, QString &text)
{
    TfrmSelfWhere editor(progID);
    if (!text.isEmpty())
        editor.SetText(text);
    if (!editor.Execute(owner))
        return false;
    text = editor.Text();
    return true;
}
