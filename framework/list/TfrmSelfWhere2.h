#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QListWidget;

/// The quick-search chooser of a module: the module's fields on the left,
/// the fields the quick search looks in on the right, moved with ">", ">>",
/// "<" and "<<". The choice is kept per module in log/Search.log, section
/// "Search", key the module, the field names joined by ",".
class TfrmSelfWhere2 : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSelfWhere2(QWidget *parent = nullptr);
    ~TfrmSelfWhere2() override;

    /// Shows the chooser for a module in front of `owner`, with the stored
    /// fields chosen; on OK the choice is stored and returned in `fields`.
    /// True when closed with OK.
    bool GetSelfWhere(const QString &progID, QStringList &fields, QWidget *owner = nullptr);

    /// Fills the lists for a module: every offered field on the left, the
    /// stored ones on the right.
    void Load(const QString &progID);
    /// The chosen field names, in their order.
    QStringList ChosenFields() const;

    /// ">": the selected fields of the left list join the chosen; one already
    /// chosen is refused with "字段 [%s] 已被选择过".
    void ChooseSelected();
    /// ">>": every field not yet chosen joins the chosen.
    void ChooseAll();
    /// "<": the selected chosen fields leave the choice.
    void RemoveSelected();
    /// "<<": the choice is emptied.
    void RemoveAll();

    /// The stored quick-search fields of a module, and storing them.
    static QStringList StoredFields(const QString &progID);
    static void StoreFields(const QString &progID, const QStringList &fields);

private:
    bool isChosen(const QString &fieldName) const;
    void choose(int leftRow);

    QString m_progID;
    QListWidget *m_left;
    QListWidget *m_right;
};

/// Runs the quick-search chooser for a module; on OK `fields` receives the
/// chosen field names (also stored). True when closed with OK.
bool GetSearchFields(QWidget *owner, const QString &progID, QStringList &fields);
