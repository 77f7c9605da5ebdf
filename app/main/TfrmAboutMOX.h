#pragma once

#include <QDialog>

/// The about box of the program: its icon, title, version and the maker's
/// web site (a link that opens the browser). Modal, in front of and centred
/// on the window that opens it.
class TfrmAboutMOX : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmAboutMOX(QWidget *owner = nullptr);

    /// Shows the box modally through the framework's box runner, so that
    /// tests can answer it.
    int Execute();

private:
    QWidget *m_owner;
};
