#include "TFormClassCtrl.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "data/TParamInfo.h"
#include "data/ZFreeAllSource.h"
#include "launcher/ZPackages.h"

#include <QDir>
#include <QLibrary>
#include <QWidget>

namespace {

struct TRegisteredClass
{
    QString name;
    QString package;
    TZFormFactory factory;
};

// Keyed by the case-folded name: class names are compared ignoring case.
QMap<QString, TRegisteredClass> &registered()
{
    static QMap<QString, TRegisteredClass> classes;
    return classes;
}

QString &packageBeingLoaded()
{
    static QString file;
    return file;
}

std::unique_ptr<TFormClassCtrl> &instance()
{
    static std::unique_ptr<TFormClassCtrl> ctrl;
    return ctrl;
}

QString key(const QString &className)
{
    return className.trimmed().toCaseFolded();
}

bool isPackageFile(const QString &name)
{
    return name.startsWith(QLatin1String("dpk"), Qt::CaseInsensitive)
           && name.endsWith(QLatin1String(".so"), Qt::CaseInsensitive)
           && name.compare(QLatin1String("dpkZLibs.so"), Qt::CaseInsensitive) != 0;
}

} // namespace

void ZRegisterClass(const QString &className, TZFormFactory factory)
{
    registered().insert(key(className), {className.trimmed(), packageBeingLoaded(), std::move(factory)});
}

void ZUnRegisterClass(const QString &className)
{
    registered().remove(key(className));
}

TFormClassCtrl::TFormClassCtrl()
{
    const QStringList lines = GetLongParamValue(QStringLiteral("FormClassInfo")).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        if (comma > 0)
            m_stored.insert(key(line.left(comma)), line.mid(comma + 1).trimmed());
    }
}

TFormClassCtrl::~TFormClassCtrl() = default;

QString TFormClassCtrl::GetBplByFrmClassName(const QString &className) const
{
    const QString k = key(className);
    if (k == QLatin1String("tfrmupdatedb") || k == QLatin1String("tfrmcreatedb"))
        return QStringLiteral("dpkSysAdmin.so");
    const auto found = registered().constFind(k);
    if (found != registered().constEnd() && !found->package.isEmpty())
        return found->package;
    return m_stored.value(k);
}

void TFormClassCtrl::LoadBpl(const QString &file)
{
    const QString path = GetCurrPath() + file;
    auto library = std::make_unique<QLibrary>(path);
    library->setLoadHints(QLibrary::ExportExternalSymbolsHint);
    packageBeingLoaded() = file;
    const bool loaded = library->load();
    packageBeingLoaded().clear();
    if (!loaded)
        throw EZError(QStringLiteral("无法载入") + path + QStringLiteral("文件！") + QLatin1Char('\n')
                      + library->errorString());
    // Only a package of the program names itself; any other library that
    // happens to carry a package's file name is unloaded again.
    const auto name = reinterpret_cast<TZPackageNameFunc>(library->resolve(ZPackageNameSymbol));
    if (!name || QString::fromLatin1(name()).isEmpty()) {
        // Classes it registered while loading would point into unmapped code.
        for (auto it = registered().begin(); it != registered().end();)
            it = it->package.compare(file, Qt::CaseInsensitive) == 0 ? registered().erase(it) : std::next(it);
        library->unload();
        throw EZError(QStringLiteral("无法载入") + path + QStringLiteral("文件！") + QLatin1Char('\n')
                      + QStringLiteral("它不是本程序的程序包。"));
    }
    m_libraries.push_back(std::move(library));
}

bool TFormClassCtrl::BplIsLoad(const QString &file) const
{
    for (const TRegisteredClass &c : std::as_const(registered())) {
        if (c.package.compare(file, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QStringList TFormClassCtrl::GetBplFilesList() const
{
    QStringList files;
    for (const QString &name : QDir(GetCurrPath()).entryList(QDir::Files, QDir::Name)) {
        if (isPackageFile(name))
            files << name;
    }
    return files;
}

void TFormClassCtrl::DoResetFormClass()
{
    for (const QString &file : GetBplFilesList()) {
        if (!BplIsLoad(file))
            LoadBpl(file);
    }
    SaveLongParamValue(QStringLiteral("FormClassInfo"), GetFormClassInfo());
}

QString TFormClassCtrl::GetFormClassInfo() const
{
    QStringList lines;
    for (const TRegisteredClass &c : std::as_const(registered())) {
        if (!c.package.isEmpty())
            lines << c.name + QLatin1Char(',') + c.package;
    }
    return lines.join(QLatin1Char('\n'));
}

bool TFormClassCtrl::IsRegistered(const QString &className)
{
    return registered().contains(key(className));
}

QWidget *TFormClassCtrl::Create(const QString &className)
{
    const auto found = registered().constFind(key(className));
    return found == registered().constEnd() || !found->factory ? nullptr : found->factory();
}

TFormClassCtrl &FormClassCtrl()
{
    if (!instance()) {
        instance() = std::make_unique<TFormClassCtrl>();
        static const bool freed = [] {
            ZAddFreeAllSourceStep(fsWindowClasses, [] { instance().reset(); });
            return true;
        }();
        (void)freed;
    }
    return *instance();
}
