#include "ZInputBox.h"
#include "common/ZAppTitle.h"

#include "ZMessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

bool runInputBox(const QString &caption, const QString &prompt, QString &value, bool password)
{
    QDialog box;
    box.setWindowTitle(caption.isEmpty() ? ZApplicationTitle() : caption);
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *label = new QLabel(prompt, &box);
    label->setObjectName(QStringLiteral("lblPrompt"));
    auto *edit = new QLineEdit(value, &box);
    edit->setObjectName(QStringLiteral("edtValue"));
    edit->setMinimumWidth(300);
    if (password) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    }
    edit->selectAll();
    label->setBuddy(edit);

    auto *ok = new QPushButton(QStringLiteral("确定"), &box);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), &box);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &box, &QDialog::reject);

    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);

    auto *layout = new QVBoxLayout(&box);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addSpacing(6);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    edit->setFocus();

    if (ZExecBox(box) != QDialog::Accepted)
        return false;
    value = edit->text();
    return true;
}

} // namespace

bool ZInputQueryNew(const QString &caption, const QString &prompt, QString &value, bool password)
{
    return runInputBox(caption, prompt, value, password);
}

void ZInputBoxNew(const QString &caption, const QString &prompt, const QString &text)
{
    QString shown = text;
    runInputBox(caption, prompt, shown, false);
}
