#pragma once

#include "TDataFileTest.h"

#include <QString>
#include <QStringList>

#include <memory>

class TfrmMOXMain;

/// A program folder with the shipped definitions and the packages, the
/// framework's boxes answered from a script, and the main window made on
/// request. Windows left open are closed after each test.
class MainWindowFixture : public TDataFileTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// The main window, made (on data file `fileNo`) and shown.
    TfrmMOXMain &showWindow(int fileNo = 1);

    /// The next boxes are answered with these buttons (btnOK, btnYes, btnNo,
    /// btnCancel) in turn, OK when none is left; an input box first gets the
    /// next of `inputs` typed into its edit.
    QStringList answers;
    QStringList inputs;
    /// The text (or the prompt) of every box shown, and their captions.
    QStringList texts;
    QStringList captions;
    /// Whether every box showed in password mode when it had an edit.
    QList<bool> masked;
    /// When set, the next box is saved as a screenshot of that name.
    QString shotName;

    std::unique_ptr<TfrmMOXMain> window;
};
