#pragma once

#include "data/ZFieldType.h"
#include "metadata/ZDSProperties.h"

#include <QString>
#include <QStringList>

class TZCustomIniFile;
class TZDataSource;
class TZTable;

/// One column of a table of a data source, with its properties decoded.
class TZField
{
public:
    /// A field of a definition section (`section` empty for the system fields).
    TZField(TZTable *owner, const TZCustomIniFile *file, const QString &section, const QString &fieldName,
            const QString &propertys);
    /// A copy of a field of another data source (a relation field).
    TZField(const TZField &other) = default;

    TZTable *Owner;
    const TZCustomIniFile *File; ///< the definition the field was read from (held by its data source)
    QString Section;
    QString FieldName;
    QString TableName;
    QString Propertys;
    QString AliasName;
    QString CheckFields;
    QString DefaultValue;
    QString DisplayName;
    QString PickList;
    QString RelativeDS;
    QString RelativeFields;
    QStringList PickItems; ///< PickList with "-" read as "=", split as a comma text
    TZFieldType FieldType = ftZString;
    int Length = 0;
    int ShowDataListType = 0;
    int NumberType = 0;
    int UICtrlPosition = 0;
    TCtrlWidthType CtrlWidthType = wtAll;
    int FieldIndex = 0;
    int DigCount = 1;
    bool IsKeyField = false;
    bool AllowEmpty = false;
    bool CanDuplicate = false;
    bool CheckInUsed = false;
    bool NoRepeat = false;
    bool ReadOnly = false;
    bool Visible = false;
    bool ShowDataList = false;
    bool NotNeedChkExistID = false;
    bool ZeroNotShow = false;
    bool IsNativeCurr = false;
    TFieldSaveType SaveType = stID;
    TSubPosition SubPosition = psLeft;
    QString JoinAlias;            ///< alias of the join made for RelativeDS (set when the definition loads)
    bool IsRelationField = false; ///< fetched from a related data source
    bool Permitted = true;        ///< field permission of the current user

    QString GetPickListText(int value) const;
    int GetPickListValue(const QString &text) const;
    /// The items (or, for "-" lists, their texts) joined by line breaks.
    QString GetPickListTextForCbxList() const;
    /// Visibility for the running system (organisation and currency switches).
    bool GetZFieldVisible() const;
    /// Read-only for the running system (sale prices, branch codes).
    bool GetReadOnly() const;
    /// The data source of RelativeDS (a reference valid until its next reload).
    TZDataSource &GetRelativeSource() const;
    /// The data source the field belongs to.
    TZDataSource *OwnerZDS() const;
    void SetNotNeedChkExistID(bool flag) { NotNeedChkExistID = flag; }
    /// A property of the field's property text.
    QString PropValueByName(const QString &name) const;
};
