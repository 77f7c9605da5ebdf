#include "TPrintRange.h"

#include "common/ZClock.h"
#include "common/ZDates.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "common/ZWinMessages.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QToolButton>

namespace {

QSet<quintptr> &alive()
{
    static QSet<quintptr> controls;
    return controls;
}

QDateEdit *makeDateEdit(QWidget *parent, const QString &name, const QDate &date)
{
    auto *edit = new QDateEdit(date, parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return edit;
}

} // namespace

TWhereCtrlType ZWhereCtrlTypeOf(const QString &name)
{
    const QString kind = ZTrim(name);
    if (kind == QLatin1String("ctRangeDate"))
        return ctRangeDate;
    if (kind == QLatin1String("ctDate"))
        return ctDate;
    if (kind == QLatin1String("ctID"))
        return ctID;
    if (kind == QLatin1String("ctCheck"))
        return ctCheck;
    return ctRangeID;
}

TPrintRange::TPrintRange(TWhereCtrlType kind, const QString &fieldName, const QString &caption, QWidget *parent)
    : QWidget(parent),
      m_kind(kind),
      m_field(ZTrim(fieldName)),
      m_plain(kind == ctID)
{
    alive().insert(reinterpret_cast<quintptr>(this));
    setFixedHeight(40);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    m_caption = new QLabel(ZTrim(caption) + QStringLiteral("："), this);
    m_caption->setObjectName(QStringLiteral("lblCaption"));
    m_caption->setFixedWidth(96);
    m_caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(m_caption);
    const QDate today = ZDate();
    switch (kind) {
    case ctRangeID:
        m_begin = addText(QStringLiteral("edtBegin"));
        m_pickBegin = addPickButton(QStringLiteral("btnPickBegin"), 0);
        layout->addWidget(new QLabel(QStringLiteral("至"), this));
        m_end = addText(QStringLiteral("edtEnd"));
        m_pickEnd = addPickButton(QStringLiteral("btnPickEnd"), 1);
        m_listSwitch = new QCheckBox(QStringLiteral("列表"), this);
        m_listSwitch->setObjectName(QStringLiteral("chkList"));
        layout->addWidget(m_listSwitch);
        m_list = new QLineEdit(this);
        m_list->setObjectName(QStringLiteral("edtList"));
        m_list->setReadOnly(true);
        layout->addWidget(m_list, 2);
        break;
    case ctID:
        m_begin = addText(QStringLiteral("edtBegin"));
        m_pickBegin = addPickButton(QStringLiteral("btnPickBegin"), 0);
        layout->addStretch(2);
        break;
    case ctRangeDate:
        m_beginDate = makeDateEdit(this, QStringLiteral("dtpBegin"), QDate(today.year(), today.month(), 1));
        layout->addWidget(m_beginDate, 1);
        layout->addWidget(new QLabel(QStringLiteral("至"), this));
        m_endDate = makeDateEdit(this, QStringLiteral("dtpEnd"), today);
        layout->addWidget(m_endDate, 1);
        layout->addStretch(2);
        break;
    case ctDate:
        m_beginDate = makeDateEdit(this, QStringLiteral("dtpBegin"), today);
        layout->addWidget(m_beginDate, 1);
        layout->addStretch(3);
        break;
    case ctCheck:
        m_check = new QCheckBox(this);
        m_check->setObjectName(QStringLiteral("chkValue"));
        layout->addWidget(m_check);
        layout->addStretch(1);
        break;
    }
    SetProgID(QString());
}

TPrintRange::~TPrintRange()
{
    alive().remove(reinterpret_cast<quintptr>(this));
}

QLineEdit *TPrintRange::addText(const QString &name)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    static_cast<QHBoxLayout *>(layout())->addWidget(edit, 1);
    return edit;
}

QToolButton *TPrintRange::addPickButton(const QString &name, int target)
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(QStringLiteral("..."));
    static_cast<QHBoxLayout *>(layout())->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, target] { PickKeys(target); });
    return button;
}

QString TPrintRange::Caption() const
{
    QString text = m_caption->text();
    text.chop(1);
    return text;
}

void TPrintRange::SetProgID(const QString &progID)
{
    m_progID = ZTrim(progID);
    for (QToolButton *button : {m_pickBegin, m_pickEnd}) {
        if (button)
            button->setVisible(!m_progID.isEmpty());
    }
}

QString TPrintRange::BeginValue() const
{
    return m_begin ? ZTrim(m_begin->text()) : QString();
}

QString TPrintRange::EndValue() const
{
    return m_end ? ZTrim(m_end->text()) : QString();
}

void TPrintRange::SetBeginValue(const QString &value)
{
    if (m_begin)
        m_begin->setText(value);
}

void TPrintRange::SetEndValue(const QString &value)
{
    if (m_end)
        m_end->setText(value);
}

QDate TPrintRange::BeginDate() const
{
    return m_beginDate ? m_beginDate->date() : QDate();
}

QDate TPrintRange::EndDate() const
{
    return m_endDate ? m_endDate->date() : QDate();
}

void TPrintRange::SetBeginDate(const QDate &date)
{
    if (m_beginDate)
        m_beginDate->setDate(date);
}

void TPrintRange::SetEndDate(const QDate &date)
{
    if (m_endDate)
        m_endDate->setDate(date);
}

bool TPrintRange::Checked() const
{
    return m_check && m_check->isChecked();
}

void TPrintRange::SetChecked(bool checked)
{
    if (m_check)
        m_check->setChecked(checked);
}

QString TPrintRange::KeyList() const
{
    return m_list ? m_list->text() : QString();
}

void TPrintRange::SetKeyList(const QString &keys)
{
    if (m_list)
        m_list->setText(keys);
}

bool TPrintRange::ListOn() const
{
    return m_listSwitch && m_listSwitch->isChecked();
}

void TPrintRange::SetListOn(bool on)
{
    if (m_listSwitch)
        m_listSwitch->setChecked(on);
}

void TPrintRange::SetPickedKey(const QString &key)
{
    if (m_target == 1 && m_end)
        m_end->setText(key);
    else if (m_begin)
        m_begin->setText(key);
}

void TPrintRange::PickKeys(int target)
{
    m_target = target;
    if (m_progID.isEmpty())
        return;
    TZMessageEvent message(ZWM_SELECTID, QString(), QString(), qint64(reinterpret_cast<quintptr>(this)));
    QCoreApplication::sendEvent(window(), &message);
}

QString TPrintRange::GetWhere(const QString &column) const
{
    const QString col = ZTrim(column).isEmpty() ? m_field : column;
    if (ZTrim(col).isEmpty() || col == QLatin1String("---"))
        return {};
    switch (m_kind) {
    case ctRangeID: {
        if (ListOn() && !ZTrim(KeyList()).isEmpty())
            return QStringLiteral(" And %1 in (%2)").arg(col, KeyList());
        QString first = BeginValue();
        QString last = EndValue();
        if (!first.isEmpty() && !last.isEmpty()) {
            if (QString::compare(first, last) > 0)
                std::swap(first, last);
            return QStringLiteral(" And %1 Between %2 And %3").arg(col, ZQuotedStr(first), ZQuotedStr(last));
        }
        if (!first.isEmpty())
            return QStringLiteral(" And %1 >= %2").arg(col, ZQuotedStr(first));
        if (!last.isEmpty())
            return QStringLiteral(" And %1 <= %2").arg(col, ZQuotedStr(last));
        return {};
    }
    case ctID:
        return BeginValue().isEmpty() ? QString() : QStringLiteral(" And %1 = %2").arg(col, ZQuotedStr(BeginValue()));
    case ctRangeDate: {
        const QString key = QStringLiteral("Year(%1) * 10000 + Month(%1) * 100 + Day(%1)").arg(col);
        int first = DateToIntDate(BeginDate());
        int last = DateToIntDate(EndDate());
        if (first > last)
            std::swap(first, last);
        return QStringLiteral(" And %1 Between %2 And %3").arg(key, QString::number(first), QString::number(last));
    }
    case ctDate:
        return QStringLiteral(" And %1 = %2").arg(col, QString::number(DateToIntDate(BeginDate())));
    case ctCheck:
        return QStringLiteral(" And %1 = %2").arg(col, Checked() ? QStringLiteral("1") : QStringLiteral("0"));
    }
    return {};
}

QString ZPrintRangeAddress(const TPrintRange &control)
{
    return QString::number(reinterpret_cast<quintptr>(&control));
}

TPrintRange *ZPrintRangeAt(const QString &address)
{
    bool ok = false;
    const quintptr value = address.toULongLong(&ok);
    return ok && alive().contains(value) ? reinterpret_cast<TPrintRange *>(value) : nullptr;
}
