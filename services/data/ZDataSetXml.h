#pragma once

#include <QString>

class TZClientDataSet;

/// The XML text form of a dataset: its columns and all its rows with their
/// change state (pending deletions and original values included), exact for
/// every kind of field, Chinese text, and empty texts versus nulls. Texts that
/// XML cannot carry as they are (control characters, a carriage return) and
/// byte arrays travel in base64.
QString RecordsetToXMLString(TZClientDataSet &dataSet);

/// Replaces the dataset with the one of an XML text, in memory (a dataset
/// read this way has no connection). A text that is not such a form raises
/// EZError "数据集XML格式错误：…" and leaves the dataset as it was.
void RecordsetFromXMLString(TZClientDataSet &dataSet, const QString &xml);
