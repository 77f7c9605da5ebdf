#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLibrary;
class QWidget;

/// Makes a new window of a registered class.
using TZFormFactory = std::function<QWidget *()>;

/// Registers a window class by name. A package calls this for each of its
/// windows when it is loaded, and ZUnRegisterClass when it is unloaded; the
/// registration is recorded with the package being loaded, if any.
void ZRegisterClass(const QString &className, TZFormFactory factory);
void ZUnRegisterClass(const QString &className);

/// Registers a window class under its own class name while the package that
/// holds this object is loaded (a package's namespace-scope object).
template<typename T>
struct TZRegisteredForm
{
    TZRegisteredForm() { ZRegisterClass(name(), [] { return new T; }); }
    ~TZRegisteredForm() { ZUnRegisterClass(name()); }
    static QString name() { return QString::fromLatin1(T::staticMetaObject.className()); }
};

/// The registry of window classes and the packages that hold them: the
/// classes registered in this process, and the stored map of the long
/// parameter FormClassInfo (one "class,package file" line per class), read
/// when the registry is made. Packages are the dpk*.so files of the program
/// folder, never dpkZLibs.so. One per process (FormClassCtrl()), freed by
/// FreeAllSource.
class TFormClassCtrl
{
public:
    TFormClassCtrl();
    ~TFormClassCtrl();

    /// The package of a class: TfrmUpdateDB and TfrmCreateDB always
    /// dpkSysAdmin.so; else the registered classes, then the stored map;
    /// empty when neither knows it.
    QString GetBplByFrmClassName(const QString &className) const;
    /// Loads a package of the program folder, recording the classes it
    /// registers with it; raises "无法载入" + path + "文件！" with the
    /// loader's reason on the next line, also for a library that does not
    /// name itself as a package (ZPackageName), which is unloaded again.
    void LoadBpl(const QString &file);
    /// True when some registered class names the package.
    bool BplIsLoad(const QString &file) const;
    /// The package files of the program folder.
    QStringList GetBplFilesList() const;
    /// Loads every package not yet loaded and stores the registered classes
    /// in FormClassInfo, in class-name order.
    void DoResetFormClass();
    /// The "class,package file" lines of the registered classes.
    QString GetFormClassInfo() const;

    /// Whether the class is registered, and a new window of it (null when it
    /// is not registered or its factory makes nothing).
    static bool IsRegistered(const QString &className);
    static QWidget *Create(const QString &className);

private:
    QMap<QString, QString> m_stored; ///< folded class name → package file
    std::vector<std::unique_ptr<QLibrary>> m_libraries;
};

TFormClassCtrl &FormClassCtrl();
