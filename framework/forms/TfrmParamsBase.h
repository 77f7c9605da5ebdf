#pragma once

#include "TfrmZForm.h"

/// The base of settings windows: every editor is bound to the system
/// parameter named like the editor (its objectName). Line editors and combo
/// boxes hold text, multi-line editors long text (comParamsEx), spin boxes an
/// integer, list widgets and groups of radio buttons the index of the chosen
/// item, check boxes "1" or "0", date editors an integer date.
class TfrmParamsBase : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmParamsBase(QWidget *parent = nullptr);

    /// Shows the stored value of every bound editor.
    void LoadParams();
    /// Stores the value of every bound editor.
    void SaveParams();

    /// The editors bound to parameters.
    QList<QWidget *> ParamEditors() const;
};
