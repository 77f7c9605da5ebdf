#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

/// A fresh, empty program folder for the lifetime of the object: ZKVA_HOME
/// points at it, and the session globals are back at their initial values.
/// The previous program folder is restored when the object goes.
class TTempProgramFolder
{
public:
    TTempProgramFolder();
    ~TTempProgramFolder();
    TTempProgramFolder(const TTempProgramFolder &) = delete;
    TTempProgramFolder &operator=(const TTempProgramFolder &) = delete;

    /// The folder with a trailing "/", as GetCurrPath() gives it.
    QString path() const;

    /// Writes a file below the folder (creating its folders) and returns its
    /// full path.
    QString writeFile(const QString &relativePath, const QByteArray &content) const;

    /// The content of a file below the folder; empty when missing.
    QByteArray readFile(const QString &relativePath) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previousHome;
    bool m_hadHome = false;
};
