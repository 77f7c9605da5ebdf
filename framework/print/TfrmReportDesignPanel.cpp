// The layout editor's panel: the selected band's height and group condition,
// the selected object's text, fields to insert, font, alignment and frame.

#include "TZReportDesignScene.h"
#include "TfrmReportDesign.h"

#include "data/TZClientDataSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int InsertRole = Qt::UserRole;

} // namespace

QWidget *TfrmReportDesign::buildPanel()
{
    auto *panel = new QWidget(this);
    auto *column = new QVBoxLayout(panel);

    auto *bandBox = new QGroupBox(QStringLiteral("区域"), panel);
    auto *bandForm = new QFormLayout(bandBox);
    m_bandCaption = new QLabel(bandBox);
    m_bandHeight = new QDoubleSpinBox(bandBox);
    m_bandHeight->setObjectName(QStringLiteral("edtBandHeight"));
    m_bandHeight->setRange(0, 1000);
    m_bandHeight->setDecimals(1);
    m_bandHeight->setSingleStep(0.5);
    m_bandHeight->setSuffix(QStringLiteral(" mm"));
    m_group = new QLineEdit(bandBox);
    m_group->setObjectName(QStringLiteral("edtGroup"));
    bandForm->addRow(QStringLiteral("类型"), m_bandCaption);
    bandForm->addRow(QStringLiteral("高度"), m_bandHeight);
    bandForm->addRow(QStringLiteral("分组条件"), m_group);
    column->addWidget(bandBox);

    auto *objectBox = new QGroupBox(QStringLiteral("文本"), panel);
    m_objectBox = objectBox;
    auto *objectForm = new QFormLayout(objectBox);
    m_text = new QPlainTextEdit(objectBox);
    m_text->setObjectName(QStringLiteral("edtText"));
    m_text->setFixedHeight(64);
    m_fields = new QListWidget(objectBox);
    m_fields->setObjectName(QStringLiteral("lstFields"));
    m_fields->setToolTip(QStringLiteral("双击插入字段"));
    m_fontFamily = new QFontComboBox(objectBox);
    m_fontFamily->setObjectName(QStringLiteral("cbxFont"));
    m_fontSize = new QDoubleSpinBox(objectBox);
    m_fontSize->setObjectName(QStringLiteral("edtFontSize"));
    m_fontSize->setRange(1, 200);
    m_fontSize->setDecimals(1);
    m_bold = new QCheckBox(QStringLiteral("粗体"), objectBox);
    m_bold->setObjectName(QStringLiteral("chkBold"));
    m_align = new QComboBox(objectBox);
    m_align->setObjectName(QStringLiteral("cbxAlign"));
    m_align->addItem(QStringLiteral("左对齐"), int(Qt::AlignLeft));
    m_align->addItem(QStringLiteral("居中"), int(Qt::AlignHCenter));
    m_align->addItem(QStringLiteral("右对齐"), int(Qt::AlignRight));
    m_frame = new QCheckBox(QStringLiteral("边框"), objectBox);
    m_frame->setObjectName(QStringLiteral("chkFrame"));
    m_wrap = new QCheckBox(QStringLiteral("自动换行"), objectBox);
    m_wrap->setObjectName(QStringLiteral("chkWrap"));
    auto *switches = new QHBoxLayout;
    switches->addWidget(m_bold);
    switches->addWidget(m_frame);
    switches->addWidget(m_wrap);
    objectForm->addRow(QStringLiteral("内容"), m_text);
    objectForm->addRow(QStringLiteral("字段"), m_fields);
    objectForm->addRow(QStringLiteral("字体"), m_fontFamily);
    objectForm->addRow(QStringLiteral("字号"), m_fontSize);
    objectForm->addRow(QStringLiteral("对齐"), m_align);
    objectForm->addRow(switches);
    column->addWidget(objectBox, 1);

    connect(m_bandHeight, &QDoubleSpinBox::valueChanged, this, &TfrmReportDesign::onBandHeight);
    connect(m_group, &QLineEdit::textEdited, this, &TfrmReportDesign::onGroup);
    connect(m_text, &QPlainTextEdit::textChanged, this, &TfrmReportDesign::onText);
    connect(m_fields, &QListWidget::itemDoubleClicked, this, &TfrmReportDesign::onInsertField);
    connect(m_fontFamily, &QFontComboBox::currentFontChanged, this, &TfrmReportDesign::onFont);
    connect(m_fontSize, &QDoubleSpinBox::valueChanged, this, &TfrmReportDesign::onFont);
    connect(m_bold, &QCheckBox::toggled, this, &TfrmReportDesign::onFont);
    connect(m_align, &QComboBox::currentIndexChanged, this, &TfrmReportDesign::onFont);
    connect(m_frame, &QCheckBox::toggled, this, &TfrmReportDesign::onFont);
    connect(m_wrap, &QCheckBox::toggled, this, &TfrmReportDesign::onFont);
    return panel;
}

void TfrmReportDesign::fillFields()
{
    m_fields->clear();
    for (const auto &[name, dataSet] : m_data) {
        if (!dataSet || !dataSet->Active())
            continue;
        for (int i = 0; i < dataSet->FieldCount(); ++i) {
            const TZDataField &field = dataSet->Fields(i);
            const QString reference = name + QLatin1Char('.') + field.FieldName();
            QString caption = reference;
            if (!field.DisplayLabel.isEmpty() && field.DisplayLabel != field.FieldName())
                caption += QStringLiteral("（%1）").arg(field.DisplayLabel);
            auto *item = new QListWidgetItem(caption, m_fields);
            item->setData(InsertRole, QStringLiteral("[%1]").arg(reference));
        }
    }
    for (const QString &extra : {QStringLiteral("[Date]"), QStringLiteral("[Page#]"), QStringLiteral("[TotalPages#]")}) {
        auto *item = new QListWidgetItem(extra, m_fields);
        item->setData(InsertRole, extra);
    }
}

void TfrmReportDesign::showSelection()
{
    m_showing = true;
    const int band = m_scene->SelectedBand();
    const bool hasBand = band >= 0 && band < m_layout.bands.size();
    m_bandHeight->setEnabled(hasBand);
    m_group->setEnabled(hasBand && m_layout.bands.at(band).kind == bkGroupHeader);
    if (hasBand) {
        const TZReportBand &model = m_layout.bands.at(band);
        m_bandCaption->setText(ZBandKindCaption(model.kind));
        m_bandHeight->setValue(model.height);
        m_group->setText(model.groupExpression);
    } else {
        m_bandCaption->clear();
        m_group->clear();
    }
    const TZReportObject *object = selectedObject();
    const bool isText = object && object->kind == TZReportObject::okText;
    m_objectBox->setEnabled(isText);
    m_delete->setEnabled(object != nullptr);
    if (isText) {
        if (m_text->toPlainText() != object->text)
            m_text->setPlainText(object->text);
        m_fontFamily->setCurrentFont(QFont(object->fontFamily));
        m_fontSize->setValue(object->fontSize);
        m_bold->setChecked(object->bold);
        const Qt::Alignment horizontal = object->alignment & Qt::AlignHorizontal_Mask;
        m_align->setCurrentIndex(qMax(0, m_align->findData(int(horizontal))));
        m_frame->setChecked(object->frame == flAll);
        m_wrap->setChecked(object->wordWrap);
    } else {
        m_text->clear();
    }
    m_showing = false;
}

void TfrmReportDesign::onBandHeight(double height)
{
    const int band = m_scene->SelectedBand();
    if (m_showing || band < 0 || m_layout.bands.at(band).height == height)
        return;
    m_layout.bands[band].height = height;
    setModified();
    m_scene->Rebuild();
}

void TfrmReportDesign::onGroup(const QString &text)
{
    const int band = m_scene->SelectedBand();
    if (m_showing || band < 0)
        return;
    m_layout.bands[band].groupExpression = text;
    setModified();
    m_scene->Rebuild();
}

void TfrmReportDesign::onText()
{
    TZReportObject *object = selectedObject();
    if (m_showing || !object || object->text == m_text->toPlainText())
        return;
    object->text = m_text->toPlainText();
    setModified();
    m_scene->update();
}

void TfrmReportDesign::onFont()
{
    TZReportObject *object = selectedObject();
    if (m_showing || !object)
        return;
    TZReportObject changed = *object;
    changed.fontFamily = m_fontFamily->currentFont().family();
    changed.fontSize = m_fontSize->value();
    changed.bold = m_bold->isChecked();
    changed.alignment = Qt::Alignment(m_align->currentData().toInt()) | (object->alignment & Qt::AlignVertical_Mask);
    changed.frame = m_frame->isChecked() ? flAll : (object->frame == flAll ? 0 : object->frame);
    changed.wordWrap = m_wrap->isChecked();
    if (changed == *object)
        return;
    *object = changed;
    setModified();
    m_scene->update();
}

void TfrmReportDesign::onInsertField()
{
    QListWidgetItem *item = m_fields->currentItem();
    if (!item || !selectedObject())
        return;
    m_text->insertPlainText(item->data(InsertRole).toString());
    m_text->setFocus();
}
