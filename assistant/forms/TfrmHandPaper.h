#pragma once

#include "forms/TfrmZForm.h"

class QCheckBox;
class QFontComboBox;
class QPlainTextEdit;
class QSpinBox;

/// "写字板": one free-text note kept as the parameter HandPaper, with its
/// font, size, colours and word wrap kept as parameters of their own. The
/// look applies at once; closing saves all six; "保存" saves the text and
/// "另存" writes it to a text file.
class TfrmHandPaper final : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmHandPaper(QWidget *parent = nullptr);
    ~TfrmHandPaper() override;

    QPlainTextEdit *memText = nullptr;
    QFontComboBox *cbxFont = nullptr;
    QSpinBox *edtSize = nullptr;
    QCheckBox *chkBreak = nullptr;

    QColor FontColor() const { return m_fontColor; }
    QColor BgColor() const { return m_bgColor; }
    void SetFontColor(const QColor &color);
    void SetBgColor(const QColor &color);

    /// Stores the text and tells "已保存！".
    void SaveText();
    /// Writes the text to a chosen ".txt" file, asking before it replaces one.
    void SaveAs();
    /// Writes all six parameters.
    void SaveSettings();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void loadSettings();
    void applyLook();

    QColor m_fontColor{Qt::black};
    QColor m_bgColor{255, 255, 225};
    bool m_failedSave = false;
};
