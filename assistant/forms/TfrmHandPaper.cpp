#include "TfrmHandPaper.h"

#include "common/ZFiles.h"
#include "common/ZGuard.h"
#include "controls/ZColorValue.h"
#include "controls/ZFileDialogs.h"
#include "data/TParamInfo.h"
#include "forms/ZMessageBox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString kText = QStringLiteral("HandPaper");
const QString kFontColor = QStringLiteral("HandPaperFontColor");
const QString kBgColor = QStringLiteral("HandPaperBgColor");
const QString kFontName = QStringLiteral("HandPaperFontName");
const QString kFontSize = QStringLiteral("HandPaperFontSize");
const QString kBreak = QStringLiteral("HandPaperBreak");

} // namespace

TfrmHandPaper::TfrmHandPaper(QWidget *parent) : TfrmZForm(parent)
{
    setWindowTitle(QStringLiteral("写字板"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto *bar = new QHBoxLayout;
    const auto button = [this, bar](const QString &name, const QString &caption) {
        auto *made = new QPushButton(caption, this);
        made->setObjectName(name);
        bar->addWidget(made);
        return made;
    };
    QPushButton *save = button(QStringLiteral("btnSave"), QStringLiteral("保存"));
    QPushButton *saveAs = button(QStringLiteral("btnSaveAs"), QStringLiteral("另存"));
    bar->addSpacing(12);
    cbxFont = new QFontComboBox(this);
    cbxFont->setObjectName(QStringLiteral("cbxFont"));
    bar->addWidget(cbxFont);
    edtSize = new QSpinBox(this);
    edtSize->setObjectName(QStringLiteral("edtSize"));
    edtSize->setRange(6, 72);
    edtSize->setValue(12);
    bar->addWidget(edtSize);
    QPushButton *fontColor = button(QStringLiteral("btnFontColor"), QStringLiteral("字体颜色"));
    QPushButton *bgColor = button(QStringLiteral("btnBgColor"), QStringLiteral("背景颜色"));
    chkBreak = new QCheckBox(QStringLiteral("自动换行"), this);
    chkBreak->setObjectName(QStringLiteral("chkBreak"));
    chkBreak->setChecked(true);
    bar->addWidget(chkBreak);
    bar->addStretch();
    layout->addLayout(bar);
    memText = new QPlainTextEdit(this);
    memText->setObjectName(QStringLiteral("memText"));
    layout->addWidget(memText, 1);

    connect(save, &QPushButton::clicked, this, [this] { ZGuard([this] { SaveText(); }); });
    connect(saveAs, &QPushButton::clicked, this, [this] { ZGuard([this] { SaveAs(); }); });
    connect(fontColor, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(m_fontColor, this, QStringLiteral("字体颜色"));
        if (chosen.isValid())
            SetFontColor(chosen);
    });
    connect(bgColor, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(m_bgColor, this, QStringLiteral("背景颜色"));
        if (chosen.isValid())
            SetBgColor(chosen);
    });
    connect(cbxFont, &QFontComboBox::currentFontChanged, this, [this] { applyLook(); });
    connect(edtSize, &QSpinBox::valueChanged, this, [this] { applyLook(); });
    connect(chkBreak, &QCheckBox::toggled, this, [this] { applyLook(); });

    resize(720, 520);
    loadSettings();
}

TfrmHandPaper::~TfrmHandPaper() = default;

void TfrmHandPaper::loadSettings()
{
    // A value that is missing or unreadable keeps the window's default.
    memText->setPlainText(GetLongParamValue(kText));
    bool ok = false;
    if (const int value = GetParamValue(kFontColor).toInt(&ok); ok)
        m_fontColor = ZColorFromValue(value);
    if (const int value = GetParamValue(kBgColor).toInt(&ok); ok)
        m_bgColor = ZColorFromValue(value);
    const QString fontName = GetParamValue(kFontName).trimmed();
    if (!fontName.isEmpty())
        cbxFont->setCurrentFont(QFont(fontName));
    if (const int size = GetParamValue(kFontSize, QStringLiteral("12")).toInt(&ok); ok && size > 0)
        edtSize->setValue(size);
    const QString wrap = GetParamValue(kBreak).trimmed();
    if (!wrap.isEmpty())
        chkBreak->setChecked(wrap != QLatin1String("0"));
    applyLook();
}

void TfrmHandPaper::applyLook()
{
    QFont font = cbxFont->currentFont();
    font.setPointSize(edtSize->value());
    memText->setFont(font);
    QPalette palette = memText->palette();
    palette.setColor(QPalette::Text, m_fontColor);
    palette.setColor(QPalette::Base, m_bgColor);
    memText->setPalette(palette);
    memText->setLineWrapMode(chkBreak->isChecked() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TfrmHandPaper::SetFontColor(const QColor &color)
{
    m_fontColor = color;
    applyLook();
}

void TfrmHandPaper::SetBgColor(const QColor &color)
{
    m_bgColor = color;
    applyLook();
}

void TfrmHandPaper::SaveText()
{
    SaveLongParamValue(kText, memText->toPlainText());
    ZShowMessage(QStringLiteral("已保存！"));
}

void TfrmHandPaper::SaveAs()
{
    QString fileName = QStringLiteral("写字板.txt");
    if (!zSaveDialog(QStringLiteral("文本文件(*.txt)|*.txt"), fileName, this, false))
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".txt");
    if (QFileInfo::exists(fileName)
        && ZMessageBox(windowTitle(), QStringLiteral("文件") + fileName + QStringLiteral("已经存在是否覆盖？"),
                       {zbYes, zbNo})
               != zbYes)
        return;
    ZSaveFileAtomically(fileName, memText->toPlainText().toUtf8());
}

void TfrmHandPaper::SaveSettings()
{
    SaveLongParamValue(kText, memText->toPlainText());
    SaveParamValue(kFontColor, QString::number(ZColorValue(m_fontColor)));
    SaveParamValue(kBgColor, QString::number(ZColorValue(m_bgColor)));
    SaveParamValue(kFontName, cbxFont->currentFont().family());
    SaveParamValue(kFontSize, QString::number(edtSize->value()));
    SaveParamValue(kBreak, chkBreak->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    GetParamInfo().UpdateParamInfo();
}

void TfrmHandPaper::closeEvent(QCloseEvent *event)
{
    // A failure to save is shown and the window stays open with its text,
    // so that nothing typed is lost unseen; closing again closes it.
    if (!m_failedSave && !ZGuard([this] { SaveSettings(); })) {
        m_failedSave = true;
        event->ignore();
        return;
    }
    TfrmZForm::closeEvent(event);
}
