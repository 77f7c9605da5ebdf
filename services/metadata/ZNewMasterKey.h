#pragma once

#include <QDate>
#include <QString>

class TZDataSource;

/// The key a new record of a module gets, by the module's key rule, among
/// the master table's rows of the module's Flag: for vtMaxID the key after
/// the greatest one (reserved keys of the customer, person and warehouse
/// modules never count), for vtDateCode the next number of the period of
/// `date` under the module's date-code rule, for vtEmpty nothing (the user
/// types it). With a branch column and the parameter OrgBillNoCode "1" the
/// branch code is put in front unless the number already starts with it.
QString GetNewMasterKeyValue(TZDataSource &source, const QDate &date);
