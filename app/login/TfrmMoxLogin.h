#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

/// The login of the program: the choice of one of ten data files, the
/// password of the chosen file, the owner's name, and restoring a data file
/// from a backup. Accepted when the password matches.
class TfrmMoxLogin : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmMoxLogin(QWidget *parent = nullptr);

    /// The names of the ten data files, "第一帐套" … "第十帐套".
    static QStringList DataFileNames();

    void Login();
    void ChangeName();
    void ChooseDataFile(int index);
    void RestoreDataFile();

private:
    void showOwner();

    QLabel *m_owner;
    QComboBox *m_files;
    QLineEdit *m_password;
};
