#pragma once

#include <QString>

class QWidget;
class TZClientDataSet;
class TZDataSource;

/// What a look-up editor (a look-up combo box, or a grid column's look-up
/// editor) needs to show the records of a related module.
struct TZLookUpListProperties
{
    QString ListFieldNames;              ///< the columns, joined by ";"
    QString KeyFieldNames;               ///< the field whose value the editor stores
    int ListFieldIndex = -1;             ///< no column is preferred
    TZClientDataSet *ListSource = nullptr; ///< the module's list dataset (owned by the module)
    int DropDownRows = 12;
    bool FreeText = true;     ///< typed text that is in no row is kept
    bool AutoSelect = false;  ///< the text is not selected on entry
    bool SizeToColumns = true; ///< the drop-down takes the width of its columns and can be resized
};

/// Binds a look-up list to a module: list fields = MasterKey, SubKey and
/// ListFieldNames, with every "," turned into ";" (MasterKey PersonID, SubKey
/// PersonName and no ListFieldNames give "PersonID;PersonName;"); key field =
/// MasterKey; the list is the module's list dataset, opened when needed.
void SetLookUpList(TZLookUpListProperties &properties, TZDataSource &source);

/// Offers to add a typed text as a new record of a module; true when one was
/// added. Nothing is offered for a blank text, nor for one that occurs
/// (case-sensitive) within the ListFieldNames fields or the SubKey of some
/// row of the module's list. Otherwise the user is asked (caption "提示",
/// owned by `owner`) whether to save it; on Yes the row gets the next key
/// after the greatest one (IncString; "001" in an empty table), among the rows
/// of the master table's Flag when it has one, and the text as typed as its
/// name; the list is then read again. A failing insert raises the
/// connection's error and reads nothing again.
bool AddNewMasterData(QWidget *owner, const QString &text, TZDataSource &source);
