#include "ZMessageBox.h"

#include "common/ZDialogOwner.h"
#include "common/ZGuard.h"
#include "common/ZQuestionBox.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

TZBoxAnswerer &answerer()
{
    static TZBoxAnswerer current;
    return current;
}

struct ButtonInfo
{
    TZMsgBtn button;
    const char *objectName;
    const char16_t *caption;
};

// The order in which the buttons stand, left to right.
const ButtonInfo kButtons[] = {
    {zbOK, "btnOK", u"确定"},
    {zbYes, "btnYes", u"是"},
    {zbNo, "btnNo", u"否"},
    {zbCancel, "btnCancel", u"取消"},
};

} // namespace

void SetZBoxAnswerer(TZBoxAnswerer answerer_)
{
    answerer() = std::move(answerer_);
}

int ZExecBox(QDialog &box, QWidget *owner)
{
    ZPlaceDialog(&box, owner);
    if (answerer()) {
        QPointer<QDialog> guarded(&box);
        QTimer::singleShot(0, &box, [guarded] {
            if (guarded && answerer())
                answerer()(*guarded);
        });
    }
    return box.exec();
}

TZMsgBtn ZMessageBox(const QString &caption, const QString &text, const TZMsgBtns &buttons, const QString &captions)
{
    QDialog box;
    box.setWindowTitle(caption);
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *message = new QLabel(text, &box);
    message->setObjectName(QStringLiteral("lblText"));
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message->setMinimumWidth(240);
    message->setMaximumWidth(520);

    auto *icon = new QLabel(&box);
    const int iconSize = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    const bool question = buttons.contains(zbYes) || buttons.contains(zbNo);
    icon->setPixmap(box.style()
                        ->standardIcon(question ? QStyle::SP_MessageBoxQuestion : QStyle::SP_MessageBoxInformation)
                        .pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);

    auto *body = new QHBoxLayout;
    body->setSpacing(12);
    body->addWidget(icon);
    body->addWidget(message, 1);

    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    row->addStretch();
    const QStringList custom = captions.isEmpty() ? QStringList() : captions.split(QLatin1Char(','));
    TZMsgBtn result = zbCancel;
    int shown = 0;
    QPushButton *first = nullptr;
    for (const ButtonInfo &info : kButtons) {
        if (!buttons.contains(info.button))
            continue;
        const QString item = custom.value(shown++);
        auto *button = new QPushButton(item.isEmpty() ? QString::fromUtf16(info.caption) : item, &box);
        button->setObjectName(QLatin1String(info.objectName));
        button->setAutoDefault(true);
        // Room on both sides of a long caption, as wide as a standard button
        // at least.
        button->setMinimumWidth(qMax(80, button->fontMetrics().horizontalAdvance(button->text()) + 24));
        QObject::connect(button, &QPushButton::clicked, &box, [&box, &result, info] {
            result = info.button;
            box.accept();
        });
        row->addWidget(button);
        if (!first)
            first = button;
    }
    row->addStretch();

    auto *layout = new QVBoxLayout(&box);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(body);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (first) {
        first->setDefault(true);
        first->setFocus();
    }
    ZExecBox(box);
    return result;
}

void ZShowMessage(const QString &text)
{
    ZMessageBox(QStringLiteral("提示"), text, {zbOK});
}

namespace {

// Errors raised below the windows are shown in the framework's box when
// there is no main window to take them; their Yes/No questions are asked in
// it.
[[maybe_unused]] const bool g_errorBoxInstalled = [] {
    SetZErrorBox([](const QString &text) { ZMessageBox(QStringLiteral("错误"), text, {zbOK}); });
    SetZQuestionBox([](QWidget *, const QString &caption, const QString &text) {
        return ZMessageBox(caption, text, {zbYes, zbNo}) == zbYes;
    });
    return true;
}();

} // namespace
