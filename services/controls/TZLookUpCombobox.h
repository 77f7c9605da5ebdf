#pragma once

#include "controls/ZLookUpList.h"

#include <QComboBox>
#include <QString>

#include <memory>

class QCompleter;
class QStandardItemModel;
class TOrvDataSet;
class TZClientDataSet;
class TZDataSource;
class TZLookUpFilter;

/// A combo box that offers the records of a related module: its drop-down
/// shows the module's list columns (key, name, the ListFieldNames), 12 rows,
/// as wide as its columns; the user may pick a row or type freely. Typing
/// offers the rows whose key or name contains the typed text, or whose name's
/// pinyin initials do ("zs" finds 张三). The value is the key of the chosen
/// row; the edit shows its name (its key when it has no name). A typed text
/// that matches no row stays as typed, and is the value.
///
/// When the related module asks for it (AutoSaveNewDataRemind), a typed text
/// in no row is offered for adding when the user finishes typing
/// (AddNewMasterData); once added, the list is read again and the new row is
/// chosen. The module is held for as long as the control lives.
class TZLookUpComboBase : public QComboBox
{
    Q_OBJECT

public:
    explicit TZLookUpComboBase(QWidget *parent = nullptr);
    ~TZLookUpComboBase() override;

    /// Binds the list to a module (trimmed); a blank name unbinds it. An
    /// unknown module raises the data source cache's error.
    void BindSource(const QString &progID);
    TZDataSource *RelatedSource() const { return m_source.get(); }
    const TZLookUpListProperties &Properties() const { return m_properties; }

    /// Reads the rows of the module's list again; the value stays.
    void RefreshList();

    /// The key of the chosen row, or the typed text when it is in no row.
    QString KeyValue() const;
    /// Chooses the row of the key (showing its name); a key in no row is
    /// shown as it is.
    void SetKeyValue(const QString &key);
    /// The row whose key, or else whose shown text, is the text; -1 when none.
    int RowOfText(const QString &text) const;
    QString KeyOfRow(int row) const;

    /// The type-ahead list (its model holds the rows the typed text matches).
    QCompleter *TypeAhead() const { return m_completer; }

    /// The validation hook of a typed value: offers a text that is in no
    /// row for adding to the module (see the class). True when it was added.
    bool _OnValidate(const QString &displayValue);

    /// Before the list drops down it is read again when the module's list
    /// changed since (reloaded, filtered, rows added elsewhere) or is marked
    /// for reloading.
    void showPopup() override;

protected:
    /// Entering the control leaves its text unselected.
    void focusInEvent(QFocusEvent *event) override;

private:
    /// Gives the open drop-down the height of its rows (up to DropDownRows).
    void fitPopup();
    void validateTyped();
    void textTyped(const QString &text);
    void watchList(TZClientDataSet *list);

    std::shared_ptr<TZDataSource> m_source;
    TZLookUpListProperties m_properties;
    QStandardItemModel *m_rows;
    TZLookUpFilter *m_filter;
    QCompleter *m_completer;
    bool m_validating = false;
    TZClientDataSet *m_watched = nullptr; ///< the module's list whose changes are watched
    int m_watchToken = 0;
    bool m_listChanged = false; ///< the module's list changed since it was last read
};

/// The look-up combo box bound to a field of a window's dataset: its related
/// module is the RelativeDS of the field's definition.
class TZDBLookUpCombobox final : public TZLookUpComboBase
{
    Q_OBJECT

public:
    using TZLookUpComboBase::TZLookUpComboBase;

    /// Finds the definition of the field in the dataset's module (ProgID,
    /// ProgDSIndex) and binds the list to its RelativeDS when it has one.
    /// Nothing happens for a dataset without a module.
    void InitSource(TOrvDataSet &dataSet, const QString &fieldName);
};

/// The look-up combo box of a module given by name, bound to no field.
class TZLookUpCombobox final : public TZLookUpComboBase
{
    Q_OBJECT

public:
    using TZLookUpComboBase::TZLookUpComboBase;

    QString ProgID;
    /// Binds the list to ProgID when it is not blank.
    void InitSource();
};
