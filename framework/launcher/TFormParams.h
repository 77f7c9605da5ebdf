#pragma once

#include <QString>
#include <QStringList>

/// The parameters the launcher hands to a module window: during one
/// synchronous message 1926 named "[FormParams]" whose value is the record's
/// address in decimal. The window copies what it needs; the record is gone
/// when the message returns. Every record alive is known, so an address that
/// names none (a stale or made-up text) is refused instead of followed.
struct TFormParams
{
    TFormParams();
    TFormParams(const TFormParams &other);
    TFormParams &operator=(const TFormParams &other) = default;
    ~TFormParams();

    QString Action; ///< "WakeUp", "F3", or a value the windows use themselves
    QString ProgID;
    QString KeyValue;
    bool WakeUpByProgID = false; ///< reuse an open window only for the same module
    bool MultiSelect = false;    ///< read by the record selection window
    QString Text;                ///< read by the record selection window (its statement)
    QStringList List;
};

/// The parameter name of a TFormParams record.
inline const QString kFormParamsName = QStringLiteral("[FormParams]");

/// The decimal address of a record, as message 1926 carries it.
QString ZFormParamsAddress(const TFormParams &params);

/// The record at a decimal address; null for a text that does not name a
/// record alive.
const TFormParams *ZFormParamsAt(const QString &address);
