#pragma once

#include <QDialog>
#include <QHash>
#include <QIcon>

class DataExchange;
class DialogLayout;
class QMenu;

// A modal window built at run time from a dialog layout of the language module. The
// base of every window of the program: it turns button presses into commands, runs
// the data exchange of its subclass, and gives the window a system menu of its own.
class LayoutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    explicit LayoutDialog(int layoutId, QWidget *parent = nullptr);
    ~LayoutDialog() override;

    // Builds the window and runs it modally; -1 without showing anything when the
    // language module has no such layout.
    int DoModal();
    // Builds the window from its layout and sets it up; false when there is no layout.
    bool Create();

    int layoutId() const { return m_layoutId; }
    QWidget *GetDlgItem(int id) const { return m_controls.value(id); }
    template <class Widget> Widget *item(int id) const {
        return qobject_cast<Widget *>(GetDlgItem(id));
    }

    // true: read every field into the record, stopping at the first unreadable one;
    // false: write the record into the fields.
    bool UpdateData(bool saveAndValidate = true);

    // Null when the layout gives the window no system menu.
    QMenu *GetSystemMenu() const { return m_systemMenu; }
    void SendSysCommand(unsigned id) { OnSysCommand(id, 0); }
    void SendCommand(int id);

    void accept() override;
    void reject() override;

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange &dx);
    // Runs the handler a subclass's command table binds to the id.
    virtual bool OnCommand(int id);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnSysCommand(unsigned id, long parameter);

    void EndDialog(int result);
    // Icon 128 of the language module, the icon of the program's windows; null without it.
    static QIcon LoadApplicationIcon();
    // Large and small window icon alike; a null icon leaves the window without its own.
    void SetIcon(const QIcon &icon);
    void AppendSystemMenuSeparator();
    void AppendSystemMenuItem(unsigned id, const QString &text);

    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void build(const DialogLayout &layout);
    void buildSystemMenu(const DialogLayout &layout);
    void showSystemMenu(const QPoint &globalPosition);

    int m_layoutId;
    bool m_created = false;
    QHash<int, QWidget *> m_controls;
    QMenu *m_systemMenu = nullptr;
};
