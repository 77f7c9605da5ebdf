#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>

class QTimer;
class TDBConn;
class TZGridKeeper;
class TZSizeKeeper;
class TZDbConnection;
class TZMessageEvent;

/// The ancestor of every window of the system: size and position remembered
/// per user and module (log/forms_<user>.log, section FormSizeAndPositionTag;
/// both of the inside of the window, its geometry, frame left out),
/// Enter to the next control, a 100 ms housekeeping timer, the parent
/// protocol (messages 1926, 1928, 1936, 1937, 1939: the record selection
/// window for "TagPrintRange"), and the overridable hooks.
///
/// Construction runs the parts that need no hook; the hook-driven parts
/// (ZFormCreate, the Enter switch) run when the window is first shown,
/// because C++ does not dispatch virtual calls to a subclass from the base
/// constructor. A window is always deleted when closed.
class TfrmZForm : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmZForm(QWidget *parent = nullptr);
    ~TfrmZForm() override;

    /// The process-wide number of this window (what the messages carry).
    qint64 Handle() const { return m_handle; }
    /// The open framework windows, oldest first.
    static QList<TfrmZForm *> OpenForms();
    static TfrmZForm *FormByHandle(qint64 handle);
    /// The per-user form store: log/forms_<user>.log under the program folder.
    static QString FormStorePath();

    // Hooks, with the base behaviour.
    virtual QString GridLogTag() { return {}; }
    virtual bool AutoCreatGridCtrl() { return true; }
    virtual bool IsAutoSizeAndPos() { return true; }
    virtual void DoBaseTimeTimer() {}
    virtual void FormReturnValue(const QString &name, const QString &value);
    virtual bool FormFixSize() { return !m_sizeable; }
    virtual void SaveFormSizeAndPosition();
    virtual void SetFormSizeAndposition();
    /// Takes the place the window gets once it has its size now, when it
    /// is still waiting for it: a box shown from the window at once is then
    /// centred on where the window really stands (boxes call it by name).
    Q_INVOKABLE void ZPlaceNow();
    virtual void AddMsg(const QString &text, int colour);
    virtual bool NeedDBConn() { return true; }
    virtual QString GetProgID() { return {}; }
    virtual QString GetPowerCode() { return {}; }
    virtual bool EnterToNextCtrlIsEnabled() { return false; }
    virtual bool IsGetFormPositionAndSize() { return true; }
    virtual Qt::WindowState DefaultWindowState() { return Qt::WindowNoState; }
    virtual void ZFormCreate();
    virtual void ZFormDestroy() {}
    virtual QString FormSizeAndPositionTag();
    virtual bool BusinessSkinEnabled() { return m_skin > 0; }
    virtual bool NeedGridLogCtrl() { return true; }
    virtual bool NeedGridColumnVisibleLogCtrl() { return true; }
    virtual bool ShowInTaskBar() { return false; }

    /// The border: a window that is not sizeable keeps its designed size.
    void SetSizeable(bool sizeable);
    void SetSkin(int skin) { m_skin = skin; }

    /// Sends a name and a value to the window that opened this one (1926).
    void SendMsgToParentForm(const QString &name, const QString &value);
    /// The open window whose handle is the parent handle, or null.
    TfrmZForm *ParentForm() const;
    /// With `raise` an error with the text; otherwise the text to the user in
    /// blue (kind 0) or red (kind 1).
    void ErrMsg(const QString &text, bool raise = true, int kind = 0);
    /// Editors read-only; check boxes, radio buttons, group boxes and lists,
    /// which have no read-only mode, disabled instead.
    static void SetCtrlsReadOnly(const QList<QWidget *> &controls, bool readOnly);
    void ReSetFormMinSize(int minHeight, int minWidth);
    void SetTopForm(TfrmZForm *form) { m_topForm = form; }
    TfrmZForm *TopForm() const { return m_topForm; }
    bool EnterToNextEnabled() const { return m_enterEnabled; }
    bool Maximised() const { return m_maximised; }
    /// True once the window was closed (it is deleted soon after).
    bool Closed() const { return m_closed; }
    /// The inside's bounds (geometry) while neither maximised nor minimised.
    QRect NormalBounds() const { return m_normal; }

    TZGridKeeper *GridKeeper() const { return m_gridKeeper.get(); }
    TZSizeKeeper *SizeKeeper() const { return m_sizeKeeper.get(); }

    TDBConn &GetDBCONN();
    TZDbConnection &GetCONN();
    /// The session's default connection: the same one connection here.
    TZDbConnection &GetDEFCONN() { return GetCONN(); }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void handleMessage(const TZMessageEvent &message);
    void onTimer();
    void takeNormalBounds();
    void restoreNormalBounds();
    bool enterToNext(QObject *watched);
    QString storePath() const;
    void createKeepers();
    /// Centred on `opener` within the screen.
    void centreOnScreen();
    void centreOn(QWidget *opener);

    qint64 m_handle;
    qint64 m_parentHandle = 0;
    QPointer<TfrmZForm> m_topForm;
    QTimer *m_timer = nullptr;
    std::unique_ptr<TZGridKeeper> m_gridKeeper;
    std::unique_ptr<TZSizeKeeper> m_sizeKeeper;
    QRect m_normal{-1, -1, -1, -1};
    bool m_maximised = false;
    bool m_restoring = false;
    bool m_placing = false;    ///< leaving the platform's maximised state to stand at m_placeAt
    bool m_expectEcho = false; ///< the platform will report a maximise the program asked for
    QRect m_placeAt;
    bool m_placementPending = false;
    QPointer<QWidget> m_placeOpener; ///< centred on it, or on the screen without one
    bool m_created = false;
    bool m_closed = false;
    bool m_enterEnabled = false;
    bool m_sizeable = true;
    int m_skin = 0;
    int m_minHeight = 0;
    int m_minWidth = 0;
};
