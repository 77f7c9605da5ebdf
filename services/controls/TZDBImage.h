#pragma once

#include <QByteArray>
#include <QWidget>

class QLabel;
class QPushButton;

/// The image editor of a picture field: shows a picture held as bytes (any
/// format Qt reads) scaled into its area, and lets the user load another
/// from a file ("载入图片…", through the framework's file dialog) or clear
/// it ("清除"). Its value for the editor adapter is the bytes.
class TZDBImage final : public QWidget
{
    Q_OBJECT

public:
    explicit TZDBImage(QWidget *parent = nullptr);

    QByteArray Picture() const { return m_bytes; }
    /// Shows the picture of the bytes (nothing for empty or unreadable ones).
    void SetPicture(const QByteArray &bytes);

    void SetReadOnly(bool readOnly);
    bool ReadOnly() const { return m_readOnly; }

    /// Asks for a picture file and takes it; false when the user cancels or
    /// the file cannot be read.
    bool LoadFromFile();

signals:
    /// The user loaded or cleared the picture.
    void PictureChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPicture();

    QLabel *m_view;
    QPushButton *m_load;
    QPushButton *m_clear;
    QByteArray m_bytes;
    bool m_readOnly = false;
};
