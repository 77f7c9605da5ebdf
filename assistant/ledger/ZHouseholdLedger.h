#pragma once

#include "common/Currency.h"

#include <QString>

/// The balance routines of the household ledger. An account's current
/// balance (moxAccount.CurrMoney) is its opening balance plus its movement:
/// income items, less expense items, less transfers out, plus transfers in.
/// The windows move the balance by each booking as it is saved or deleted;
/// the statements run through the session's connection, so inside a save's
/// or a delete's transaction they commit or roll back with the record.

/// Adds `amount` to an account's current balance (the identifier is
/// trimmed and quoted; the amount is written as a plain number).
void ZAddAccountMoney(const QString &accountID, Currency amount);
/// Takes `amount` off an account's current balance.
void ZSubAccountMoney(const QString &accountID, Currency amount);

/// Takes a stored income (flag 1) or expense (flag 2) item's amount back
/// from its account, as the data file holds the row `billNo` now: a window
/// loaded before another one changed or deleted the item still undoes what
/// is really stored. Nothing when the row is gone.
void ZUndoStoredItem(const QString &billNo, int flag);
/// Takes a stored transfer back: its amount returns to the source account
/// and leaves the destination, as the data file holds the row now.
void ZUndoStoredTransfer(const QString &billNo);

/// The movement of an account from the rows of moxIncomeFee and
/// moxAccountTran; an empty sum counts 0.
Currency ZAccountMovement(const QString &accountID);

/// "重新计算": stores CurrMoney = InitMoney + movement for the account and
/// returns the movement.
Currency ZRecalcAccountMoney(const QString &accountID);

/// The amount an item's text offers: the trimmed text is scanned from left
/// to right, each run of digits and '.' is a number (a run that is not a
/// valid number, such as "1.2.3", counts 0), and the numbers are added up.
Currency ZItemTextMoney(const QString &item);
