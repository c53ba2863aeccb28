#pragma once

#include <QDialog>
#include <QHash>

#include <functional>
#include <initializer_list>
#include <utility>

class DataExchange;
class DialogLayout;
class LanguageModule;
class QMenu;
class QMenuBar;

// A modal window built at run time from a dialog layout of the language module. The
// base of every window of the program: it builds the controls, runs the data exchange
// of its subclass, binds the commands a subclass names to its handlers, and gives the
// window a system menu of its own.
class LayoutDialog : public QDialog {
    Q_OBJECT
public:
    // The results DoModal gives for an accepted and a cancelled window.
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    explicit LayoutDialog(int layoutId, QWidget *parent = nullptr);
    ~LayoutDialog() override;

    // Builds the window and runs it modally: IDOK when accepted, IDCANCEL when
    // cancelled, -1 without showing anything when the language module has no such layout.
    int DoModal();
    // Builds the window from its layout and sets it up; false when there is no layout.
    bool create();

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
    void sendSysCommand(unsigned id) { OnSysCommand(id, 0); }
    // Presses the button with this id as a click does: nothing when it is disabled.
    void sendCommand(int id);
    // A menu bar above the layout, made once: the window grows by its height and the
    // layout's controls keep their places relative to one another and to the layout's own
    // area, which moves down beneath it.
    QMenuBar *menuBarAbove();

    void accept() override;
    void reject() override;

    // Runs a command so that no exception it throws reaches Qt's event loop: the
    // failure is reported in a message box owned by the window, which stays open.
    static void runGuarded(QWidget *window, const std::function<void()> &command);

protected:
    template <class Form> struct Command {
        int id;
        void (Form::*handler)();
    };

    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange &dx);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnSysCommand(unsigned id, long parameter);

    // Binds each button to its handler; called once by each form as it is built. An id
    // that names no button of the layout throws std::logic_error.
    template <class Form>
    void bindCommands(Form *form, std::initializer_list<Command<Form>> commands) {
        for (const Command<Form> &command : commands)
            connectCommand(command.id, [form, handler = command.handler] { (form->*handler)(); });
    }
    // Binds the user's edits of a text field (typing, deleting, pasting) to a handler. It
    // never runs for what the program itself writes into the field.
    template <class Form> void bindChange(Form *form, int id, void (Form::*handler)()) {
        connectChange(id, [form, handler] { (form->*handler)(); });
    }

    // Binds one button to a handler, as bindCommands does.
    void bindCommand(int id, std::function<void()> handler) {
        connectCommand(id, std::move(handler));
    }

    void EndDialog(int result);
    void appendSystemMenuSeparator();
    void appendSystemMenuItem(unsigned id, const QString &text);

    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Puts the bar at the top, as tall as its menus ask, and the layout's area under it.
    void placeMenuBar();

private:
    void build(const DialogLayout &layout, const LanguageModule &module);
    void buildSystemMenu(const DialogLayout &layout);
    void showSystemMenu(const QPoint &globalPosition);
    void connectCommand(int id, std::function<void()> handler);
    void connectChange(int id, std::function<void()> handler);

    int m_layoutId;
    bool m_created = false;
    QHash<int, QWidget *> m_controls;
    QMenu *m_systemMenu = nullptr;
    QMenuBar *m_menuBar = nullptr;
    QWidget *m_layoutArea = nullptr;
};
