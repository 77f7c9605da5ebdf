#pragma once

#include <QString>

class TZClientDataSet;

/// formList.ini in the program folder, section formList, key MainForm: the
/// class of the framework's alternative main window.
void SetMainFormClsName(const QString &className);
QString GetMainForm();

/// Shows a dataset in a viewer window, only when the registry value
/// ShowViewDataForm is "1" (read once per process); otherwise nothing.
void ShowViewDataForm(TZClientDataSet &dataSet);
