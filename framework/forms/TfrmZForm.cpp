#include "TfrmZForm.h"

#include "common/ZDialogOwner.h"

#include "ZFormOpener.h"
#include "ZSkins.h"
#include "common/ZGuard.h"
#include "layout/ZFormKeepers.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZMainWindow.h"
#include "common/ZWinMessages.h"
#include "common/ZWindowHandles.h"
#include "controls/ZEditorAdapter.h"
#include "data/TDBConn.h"
#include "ini/TZIniFile.h"
#include "settings/ZSession.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>

#include <utility>

#include <algorithm>

namespace {

QList<TfrmZForm *> &openForms()
{
    static QList<TfrmZForm *> forms;
    return forms;
}

// The networked systems, whose windows keep a top form in front and are
// cleared from other windows' top form when they close.
bool keepsTopForms()
{
    const qint32 id = CurrentSysID();
    return id == 1001 || (id >= 1007 && id <= 1011);
}

// A line break typed into a memo with Enter-to-next on: appended at the end.
template<typename Memo>
bool appendLineBreakTo(Memo *memo)
{
    if (!memo || memo->isReadOnly())
        return false;
    memo->moveCursor(QTextCursor::End);
    memo->insertPlainText(QStringLiteral("\n"));
    memo->moveCursor(QTextCursor::End);
    return true;
}

bool appendLineBreak(QObject *target)
{
    return appendLineBreakTo(qobject_cast<QPlainTextEdit *>(target))
           || appendLineBreakTo(qobject_cast<QTextEdit *>(target));
}

} // namespace

TfrmZForm::TfrmZForm(QWidget *parent) : QWidget(parent, Qt::Window), m_handle(ZWindowHandle(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    openForms().append(this);
    QPalette background = palette();
    background.setColor(QPalette::Window, ZWindowBackground());
    setPalette(background);
    QDir().mkpath(GetLogPath());
    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, [this] { ZGuard([this] { onTimer(); }); });
    m_timer->start();
    qApp->installEventFilter(this);
}

TfrmZForm::~TfrmZForm()
{
    m_gridKeeper.reset();
    m_sizeKeeper.reset();
    qApp->removeEventFilter(this);
    openForms().removeOne(this);
    if (QWidget *main = ZMainWindow(); main && main != this)
        QCoreApplication::postEvent(main, new TZMessageEvent(ZWM_FORMDESTROYED));
}

QList<TfrmZForm *> TfrmZForm::OpenForms()
{
    return openForms();
}

TfrmZForm *TfrmZForm::FormByHandle(qint64 handle)
{
    for (TfrmZForm *form : std::as_const(openForms())) {
        if (form->Handle() == handle)
            return form;
    }
    return nullptr;
}

void TfrmZForm::FormReturnValue(const QString &, const QString &) {}

void TfrmZForm::ZFormCreate() {}

QString TfrmZForm::FormSizeAndPositionTag()
{
    const QString tag = QString::fromLatin1(metaObject()->className());
    const QString progID = GetProgID();
    return progID.isEmpty() ? tag : tag + QLatin1Char('-') + progID;
}

QString TfrmZForm::storePath() const
{
    return FormStorePath();
}

QString TfrmZForm::FormStorePath()
{
    return GetLogPath() + QStringLiteral("forms_%1.log").arg(UserInfo.UserID);
}

void TfrmZForm::SaveFormSizeAndPosition()
{
    // The inside of the window, position and size alike: what setGeometry
    // takes back. The frame's position cannot be given back reliably: a
    // window is placed before the window manager has framed it, when Qt
    // does not know the frame yet and would take the frame's position for
    // the inside's (the window crept up by its title bar on each reopen).
    TZIniFile store(storePath());
    const QString section = FormSizeAndPositionTag();
    const QRect bounds = geometry();
    store.WriteInteger(section, QStringLiteral("Width"), bounds.width());
    store.WriteInteger(section, QStringLiteral("Height"), bounds.height());
    store.WriteInteger(section, QStringLiteral("Top"), bounds.y());
    store.WriteInteger(section, QStringLiteral("Left"), bounds.x());
}

void TfrmZForm::SetFormSizeAndposition()
{
    const TZIniFile store(storePath());
    const QString section = FormSizeAndPositionTag();
    int w = store.ReadInteger(section, QStringLiteral("Width"), 0);
    int h = store.ReadInteger(section, QStringLiteral("Height"), 0);
    const int top = store.ReadInteger(section, QStringLiteral("Top"), 0);
    const int left = store.ReadInteger(section, QStringLiteral("Left"), 0);
    if (w < 1)
        w = m_minWidth > 0 ? m_minWidth : width();
    if (h < 1)
        h = m_minHeight > 0 ? m_minHeight : height();
    QRect bounds = geometry();
    if (!FormFixSize())
        bounds.setSize(QSize(w, h));
    if (left > 0 || top > 0) {
        bounds.moveTo(left > 0 ? left : bounds.x(), top > 0 ? top : bounds.y());
        setGeometry(bounds);
        return;
    }
    resize(bounds.size());
    // Opened for the first time: centred on the window that opened it, and
    // within the screen.
    QWidget *opener = ParentForm();
    if (!opener || !opener->isVisible())
        opener = ZDialogOwner();
    // With no window up to open it (a window opened while the main window
    // is still being made), the window is centred on the screen by the
    // program, not left to the window manager, so that a box it shows at
    // once is centred on where the window really stands.
    if (!opener || opener == this || !opener->isVisible())
        opener = nullptr;
    // Placed once the window has its size: a window laid out from its
    // module's definitions gets it after it is shown.
    m_placementPending = true;
    m_placeOpener = opener;
    QMetaObject::invokeMethod(
        this, [this] { ZPlaceNow(); }, Qt::QueuedConnection);
}

void TfrmZForm::ZPlaceNow()
{
    if (!std::exchange(m_placementPending, false))
        return;
    // An opener gone meanwhile (the login dialog that started the program)
    // leaves the window centred on the screen.
    const bool onScreen = m_placeOpener.isNull() || !m_placeOpener->isVisible();
    ZGuard([&] { onScreen ? centreOnScreen() : centreOn(m_placeOpener); });
}

void TfrmZForm::centreOnScreen()
{
    const QScreen *screen = this->screen();
    if (!screen || !isVisible())
        return;
    const QRect area = screen->availableGeometry();
    QRect bounds(QPoint(), frameGeometry().size());
    bounds.moveCenter(area.center());
    move(std::max(area.left(), bounds.left()), std::max(area.top(), bounds.top()));
}

void TfrmZForm::centreOn(QWidget *opener)
{
    if (!opener || !opener->isVisible() || !isVisible())
        return;
    QRect bounds(QPoint(), size());
    bounds.moveCenter(opener->frameGeometry().center());
    if (const QScreen *screen = opener->screen()) {
        const QRect area = screen->availableGeometry();
        const int titleBar = 30; // the frame the window manager adds above the window
        bounds.moveLeft(std::max(area.left(), std::min(bounds.left(), area.right() - bounds.width())));
        bounds.moveTop(std::max(area.top() + titleBar, std::min(bounds.top(), area.bottom() - bounds.height())));
    }
    move(bounds.topLeft());
}

void TfrmZForm::AddMsg(const QString &text, int colour)
{
    PostMsgToMainWindow(text, colour);
}

void TfrmZForm::SetSizeable(bool sizeable)
{
    m_sizeable = sizeable;
    if (!sizeable)
        setFixedSize(size());
}

void TfrmZForm::SendMsgToParentForm(const QString &name, const QString &value)
{
    // The opener may be any window of the program (the main window too).
    if (QWidget *parent = m_parentHandle == 0 ? nullptr : ZWindowByHandle(m_parentHandle)) {
        TZMessageEvent message(ZWM_FORMRETURNVALUE, name, value);
        QCoreApplication::sendEvent(parent, &message);
    }
}

TfrmZForm *TfrmZForm::ParentForm() const
{
    return m_parentHandle == 0 ? nullptr : FormByHandle(m_parentHandle);
}

void TfrmZForm::ErrMsg(const QString &text, bool raise, int kind)
{
    if (raise)
        throw EZError(text);
    AddMsg(text, kind == 1 ? ZMSG_COLOR_ERROR : ZMSG_COLOR_HINT);
}

void TfrmZForm::SetCtrlsReadOnly(const QList<QWidget *> &controls, bool readOnly)
{
    for (QWidget *control : controls)
        ZEditorAdapter::SetReadOnly(control, readOnly);
}

void TfrmZForm::ReSetFormMinSize(int minHeight, int minWidth)
{
    m_minHeight = minHeight;
    m_minWidth = minWidth;
    if (height() < minHeight || width() < minWidth)
        resize(std::max(width(), minWidth), std::max(height(), minHeight));
    setMinimumSize(minWidth, minHeight);
}

TDBConn &TfrmZForm::GetDBCONN()
{
    return DBConn();
}

TZDbConnection &TfrmZForm::GetCONN()
{
    return DBConn().GetDBCONN();
}

bool TfrmZForm::event(QEvent *event)
{
    if (auto *message = dynamic_cast<TZMessageEvent *>(event)) {
        ZGuard([&] { handleMessage(*message); });
        return true;
    }
    return QWidget::event(event);
}

void TfrmZForm::handleMessage(const TZMessageEvent &message)
{
    switch (message.message()) {
    case ZWM_FORMRETURNVALUE:
        FormReturnValue(message.text1(), message.text2());
        break;
    case ZWM_PARENTHANDLE:
        m_parentHandle = message.param1();
        break;
    case ZWM_ENTERTONEXT:
        m_enterEnabled = message.param1() == 1 && EnterToNextCtrlIsEnabled();
        break;
    case ZWM_SELECTID:
        ZOpenForm(QStringLiteral("TfrmSelectID"), QStringLiteral("TagPrintRange"), QString::number(message.param1()));
        break;
    default:
        break;
    }
}

bool TfrmZForm::eventFilter(QObject *watched, QEvent *event)
{
    if (m_enterEnabled && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && enterToNext(watched))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TfrmZForm::enterToNext(QObject *watched)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !isAncestorOf(widget) || widget->window() != this)
        return false;
    if (appendLineBreak(widget) || appendLineBreak(widget->parent()))
        return true;
    focusNextChild();
    return true;
}

void TfrmZForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_created)
        return;
    m_created = true;
    ZGuard([this] {
        m_enterEnabled = EnterToNextCtrlIsEnabled();
        ZFormCreate();
        createKeepers();
        if (IsGetFormPositionAndSize())
            SetFormSizeAndposition();
        if (m_gridKeeper && NeedGridLogCtrl())
            m_gridKeeper->Restore();
    });
    takeNormalBounds();
}

void TfrmZForm::closeEvent(QCloseEvent *event)
{
    ZGuard([this] {
        if (!m_maximised)
            SaveFormSizeAndPosition();
        if (m_gridKeeper)
            m_gridKeeper->Save();
        if (keepsTopForms()) {
            for (TfrmZForm *form : std::as_const(openForms())) {
                if (form->TopForm() == this)
                    form->SetTopForm(nullptr);
            }
        }
        ZFormDestroy();
    });
    m_closed = true;
    event->accept();
}

void TfrmZForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange && m_placing) {
        QWidget::changeEvent(event);
        if (!(windowState() & Qt::WindowMaximized)) {
            // Out of the platform's maximised state: place the window.
            m_placing = false;
            m_restoring = true;
            setGeometry(m_placeAt);
            m_restoring = false;
        }
        return;
    }
    if (event->type() == QEvent::WindowStateChange) {
        const bool maximised = windowState() & Qt::WindowMaximized;
        QWidget *main = ZMainWindow();
        if (maximised && keepsTopForms() && main && main != this) {
            // The networked systems maximise a window over the main window's
            // client area instead, and maximising again gives the normal
            // bounds back. A maximise asked for by the program is reported
            // once more by the platform; that report only re-places.
            const bool echo = event->spontaneous() && m_expectEcho;
            m_expectEcho = !event->spontaneous();
            if (!echo) {
                // Over the main window's client area: the frame at its
                // origin, so the inside one frame's width further in.
                const QRect client = main->contentsRect();
                const QPoint inside = geometry().topLeft() - pos();
                m_placeAt = m_maximised ? m_normal : QRect(inside, QSize(client.width(), client.height() - 5));
                m_maximised = !m_maximised;
            }
            m_placing = true;
            QWidget::changeEvent(event);
            setWindowState(windowState() & ~Qt::WindowMaximized);
            return;
        }
        const bool was = m_maximised;
        m_maximised = maximised;
        if (was && !maximised && !(windowState() & Qt::WindowMinimized))
            restoreNormalBounds();
    }
    QWidget::changeEvent(event);
}

void TfrmZForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_sizeKeeper && IsAutoSizeAndPos())
        m_sizeKeeper->Relayout();
    takeNormalBounds();
}

void TfrmZForm::createKeepers()
{
    if (const auto &maker = ZSizeKeeperMaker())
        m_sizeKeeper = maker(*this);
    if (AutoCreatGridCtrl() && NeedGridLogCtrl()) {
        if (const auto &maker = ZGridKeeperMaker())
            m_gridKeeper = maker(*this, GridLogTag(), NeedGridColumnVisibleLogCtrl());
    }
}

void TfrmZForm::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    takeNormalBounds();
}

void TfrmZForm::takeNormalBounds()
{
    if (!m_maximised && !m_restoring && m_created && !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
        m_normal = geometry();
}

void TfrmZForm::restoreNormalBounds()
{
    if (m_normal.width() < 0)
        return;
    m_restoring = true;
    setGeometry(m_normal);
    m_restoring = false;
}

void TfrmZForm::onTimer()
{
    if (keepsTopForms() && isActiveWindow() && m_topForm)
        m_topForm->raise();
    DoBaseTimeTimer();
}
