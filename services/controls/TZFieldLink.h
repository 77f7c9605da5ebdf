#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

class TZClientDataSet;

/// Binds an editor widget to a field of a client dataset, through the one
/// editor adapter: the editor shows the field of the current row and follows
/// the dataset; what the user enters is written through the field, so its
/// checks and events apply. A value the field refuses (a date that does not
/// exist, a text that is no number) is shown to the user, the typed text
/// stays and the focus goes back to the editor to correct it. Only a change
/// the user made is written; the link lets go of a dataset destroyed before
/// it.
class TZFieldLink final : public QObject
{
    Q_OBJECT

public:
    TZFieldLink(QWidget *editor, TZClientDataSet &dataSet, QString fieldName);
    ~TZFieldLink() override;

    /// The link whose editor this is (the link is the editor's child), or null.
    static TZFieldLink *LinkOf(const QWidget *editor);

    QWidget *Editor() const { return m_editor; }
    const QString &FieldName() const { return m_fieldName; }
    /// The dataset bound to; null once it has been destroyed.
    TZClientDataSet *DataSet() const { return m_dataSet; }

    /// Shows the current row's value (nothing when the dataset is closed or
    /// has no row).
    void Read();
    /// Writes the editor's value into the current row (putting the dataset
    /// into edit state); raises the field's EZError when it refuses it.
    void Write();

    void SetReadOnly(bool readOnly);
    void SetRequired(bool required);

private:
    void edited();

    QPointer<QWidget> m_editor;
    TZClientDataSet *m_dataSet; // null once the dataset is destroyed
    QVariant m_shown;           // the editor's value as last shown or written
    QString m_fieldName;
    int m_listener = 0;
    bool m_busy = false; // writing or reading: the dataset's own notices are ours
};
