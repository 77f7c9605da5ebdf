#pragma once

#include "common/ZCodeRule.h"
#include "data/ZFieldType.h"

#include <QString>

class TZCustomIniFile;

// Reading the properties of a definition (a .dbs file): a property is first
// the key of that name in the item's own section, trimmed; when that is
// empty, the item of that name in the item's property text.

/// A property of an item: the section key when it is not blank, else the
/// value in the property text (GetProperty).
QString ReadDSProperty(const TZCustomIniFile &file, const QString &section, const QString &propertys,
                       const QString &name);

/// A boolean property: true exactly when the value is "True" ignoring case;
/// with `caseSensitive` (ShowDataList, NotNeedChkExistID, ZeroNotShow,
/// IsNativeCurr) only "True" itself counts.
bool ZDSBool(const QString &value, bool caseSensitive = false);

/// An integer property read leniently: a value that is not an integer gives
/// the default.
int ZDSInt(const QString &value, int defaultValue = 0);

/// Kinds of data source functions.
enum TZDSFuncType { ftBill, ftReport, ftBillOrReport };

/// What a column of a related source stores: its key (stID) or its name.
enum TFieldSaveType { stID, stName };

/// Where a field's companion text stands.
enum TSubPosition { psLeft, psRight };

/// The width of a generated control: full, a third, a half, two thirds.
enum TCtrlWidthType { wtAll, wt13, wt12, wt23 };

/// Where the automatic layout places a field's control.
enum TUICtrlPosition {
    cpHeadLeft,
    cpHeadRight,
    cpPageLeft,
    cpPageRight,
    cpSelfLeft,
    cpSelfRight,
    cpEndLeft,
    cpEndRight
};

/// "1" or "stName" → stName; anything else → stID.
TFieldSaveType ZDSSaveType(const QString &value);
/// 1 → psRight; anything else → psLeft.
TSubPosition ZDSSubPosition(const QString &value);
/// 1 → wt13, 2 → wt12, 3 → wt23; anything else → wtAll.
TCtrlWidthType ZDSCtrlWidthType(const QString &value);
/// 0..7 as given; values below 0 or above 8 read as 0 (8 itself is kept).
int ZDSUICtrlPosition(const QString &value);
/// 0..7 as given; values outside read as 0.
int ZDSNumberType(const QString &value);
/// The field type of a field: "HasCheck" is always ftZSmallint.
TZFieldType ZDSFieldType(const QString &fieldName, const QString &value);

// The property texts the definition editor gives new items.

/// "AutoSaveNewDataRemind=False;CheckInUsed=True;CodeRule=MaxID;MenuIndex=0;FormClassName=Tfrm" + name.
QString DefaultDataSourcePropertys(const QString &name);
/// "AllowNotRow=False;CanDuplicate=True".
QString DefaultDatasetPropertys();
/// "Flag=0".
QString DefaultTablePropertys();
/// The items of a field added from the catalogue, joined by ";".
QString DefaultFieldPropertys(const QString &caption, const QString &type, int length);
