#pragma once

#include <QString>

#include <functional>

/// Reads a system parameter by name, with a default. The parameter cache of
/// the data layer installs the real reader; until then every parameter reads
/// as its default.
using TZParamReader = std::function<QString(const QString &name, const QString &defaultValue)>;

void SetZParamReader(TZParamReader reader);
QString ReadZParam(const QString &name, const QString &defaultValue = QString());

/// Organisation management: only for the system IDs 1001 and 1010 with the
/// parameter OrgManage "1" (always false in this program).
bool UseOrgManage();

/// Several currencies: the parameter MutilCurrency is "1".
bool UseMutilCurrency();

/// Point-of-sale functions: the system ID is 1001, 1009 or 1010 (false in
/// this program).
bool UsePosSystem();

/// The trading systems of the framework (person and department stamps,
/// branch checks, synchronisation marks, the drop-down restrictions): the
/// system IDs 1001 and 1007 to 1011 (false in this program).
bool UseTradingSystem();

/// Records are locked against a second editor: the system IDs 1001 and 1007
/// to 1010 (false in this program).
bool UseBillLocks();

/// 1 when the module group is visible in the running system. This program
/// (and the framework's other single-user products) shows every group; the
/// group maps of the framework's other products are not carried here, so
/// their groups read as hidden (0).
int IsSystemVisible(const QString &moduleGroup);
