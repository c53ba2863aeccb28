#include "ui/LayoutDialog.h"

#include "ui/ControlFactory.h"
#include "ui/DataExchange.h"
#include "ui/DialogUnits.h"
#include "ui/LanguageModule.h"
#include "ui/MessageBox.h"
#include "ui/SystemCommand.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QWindow>

#include <exception>
#include <stdexcept>

namespace {

Qt::WindowFlags windowFlagsOf(const DialogLayout &layout) {
    Qt::WindowFlags flags = layout.has("appwindow") ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint;
    if (layout.has("caption"))
        flags |= Qt::WindowTitleHint;
    if (layout.has("sysmenu"))
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (layout.has("minimizebox"))
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

} // namespace

LayoutDialog::LayoutDialog(int layoutId, QWidget *parent) : QDialog(parent), m_layoutId(layoutId) {}

LayoutDialog::~LayoutDialog() = default;

int LayoutDialog::DoModal() {
    if (!create())
        return -1;
    const int result = exec();
    return result == Accepted ? IDOK : result == Rejected ? IDCANCEL : result;
}

bool LayoutDialog::create() {
    if (m_created)
        return true;
    const LanguageModule *module = LanguageModule::current();
    if (module == nullptr)
        return false;
    const std::optional<DialogLayout> layout = module->layout(m_layoutId);
    if (!layout)
        return false;
    build(*layout, *module);
    m_created = true;
    OnInitDialog();
    // A bar is only as tall as its menus make it, and they are added in OnInitDialog.
    if (m_menuBar != nullptr)
        placeMenuBar();
    return true;
}

void LayoutDialog::build(const DialogLayout &layout, const LanguageModule &module) {
    QFont font(layout.fontFamily);
    font.setPointSize(layout.fontPoints);
    setFont(font);
    const DialogUnits units(font);
    setWindowFlags(windowFlagsOf(layout));
    setWindowTitle(layout.title);
    setFixedSize(units.toPixels(layout.size));

    const ControlFactory factory(units, module);
    for (const ControlTemplate &control : layout.controls) {
        QWidget *widget = factory.create(control, this);
        if (control.id >= 0)
            m_controls.insert(control.id, widget);
    }
    // OK and Cancel are every window's own; other buttons do what their form binds.
    if (auto *ok = item<QAbstractButton>(IDOK))
        connect(ok, &QAbstractButton::clicked, this, &LayoutDialog::accept);
    if (auto *cancel = item<QAbstractButton>(IDCANCEL))
        connect(cancel, &QAbstractButton::clicked, this, &LayoutDialog::reject);
    buildSystemMenu(layout);
}

void LayoutDialog::buildSystemMenu(const DialogLayout &layout) {
    if (!layout.has("sysmenu"))
        return;
    // These stand in for the window manager's own menu, which a program cannot extend.
    m_systemMenu = new QMenu(this);
    QAction *restore = m_systemMenu->addAction(tr("&Restore"));
    restore->setData(SystemCommand::kRestore);
    m_systemMenu->addAction(tr("&Move"))->setData(SystemCommand::kMove);
    QAction *minimize = nullptr;
    if (layout.has("minimizebox")) {
        minimize = m_systemMenu->addAction(tr("Mi&nimize"));
        minimize->setData(SystemCommand::kMinimize);
    }
    m_systemMenu->addSeparator();
    m_systemMenu->addAction(tr("&Close\tAlt+F4"))->setData(SystemCommand::kClose);
    connect(m_systemMenu, &QMenu::aboutToShow, this, [this, restore, minimize] {
        restore->setEnabled(isMinimized());
        if (minimize != nullptr)
            minimize->setEnabled(!isMinimized());
    });
    connect(m_systemMenu, &QMenu::triggered, this,
            [this](QAction *action) { OnSysCommand(action->data().toUInt(), 0); });
    auto *shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(shortcut, &QShortcut::activated, this,
            [this] { showSystemMenu(mapToGlobal(QPoint(0, 0))); });
}

QMenuBar *LayoutDialog::menuBarAbove() {
    if (m_menuBar != nullptr)
        return m_menuBar;
    const QSize area = size();
    // The layout's controls go into an area of the layout's size, at the same places
    // within it; the focus chain stays as it was, the window being the same.
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("layoutArea"));
    for (QObject *child : children()) {
        auto *control = qobject_cast<QWidget *>(child);
        if (control == nullptr || control == client || control->isWindow())
            continue;
        const QRect place = control->geometry();
        const bool hidden = control->isHidden();
        control->setParent(client);
        control->setGeometry(place);
        control->setVisible(!hidden);
    }
    m_menuBar = new QMenuBar(this);
    // The bar belongs above the layout, inside the window: a desktop's global menu would
    // take it out of the window and leave the layout's area without its way in.
    m_menuBar->setNativeMenuBar(false);
    client->setGeometry(0, 0, area.width(), area.height());
    m_layoutArea = client;
    placeMenuBar();
    return m_menuBar;
}

void LayoutDialog::placeMenuBar() {
    const QSize area = m_layoutArea->size();
    const int height = m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, area.width(), height);
    m_layoutArea->move(0, height);
    setFixedSize(area.width(), area.height() + height);
}

void LayoutDialog::showSystemMenu(const QPoint &globalPosition) {
    if (m_systemMenu != nullptr)
        m_systemMenu->popup(globalPosition);
}

void LayoutDialog::contextMenuEvent(QContextMenuEvent *event) {
    if (m_systemMenu == nullptr) {
        QDialog::contextMenuEvent(event);
        return;
    }
    showSystemMenu(event->globalPos());
}

void LayoutDialog::appendSystemMenuSeparator() {
    if (m_systemMenu != nullptr)
        m_systemMenu->addSeparator();
}

void LayoutDialog::appendSystemMenuItem(unsigned id, const QString &text) {
    if (m_systemMenu != nullptr)
        m_systemMenu->addAction(text)->setData(id);
}

bool LayoutDialog::UpdateData(bool saveAndValidate) {
    DataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.failed();
}

void LayoutDialog::sendCommand(int id) {
    if (auto *button = item<QAbstractButton>(id))
        button->click();
}

void LayoutDialog::runGuarded(QWidget *window, const std::function<void()> &command) {
    try {
        command();
    } catch (const std::exception &failure) {
        showMessage(tr("The command failed: %1").arg(QString::fromLocal8Bit(failure.what())),
                    window);
    } catch (...) {
        showMessage(tr("The command failed."), window);
    }
}

void LayoutDialog::connectCommand(int id, std::function<void()> handler) {
    auto *button = item<QAbstractButton>(id);
    if (button == nullptr)
        throw std::logic_error("layout " + std::to_string(m_layoutId) + " has no button " +
                               std::to_string(id));
    connect(button, &QAbstractButton::clicked, this,
            [this, handler = std::move(handler)] { runGuarded(this, handler); });
}

void LayoutDialog::connectChange(int id, std::function<void()> handler) {
    auto *edit = item<QLineEdit>(id);
    if (edit == nullptr)
        throw std::logic_error("layout " + std::to_string(m_layoutId) + " has no entry field " +
                               std::to_string(id));
    // textEdited, unlike textChanged, comes from the user's edits only.
    connect(edit, &QLineEdit::textEdited, this,
            [this, handler = std::move(handler)] { runGuarded(this, handler); });
}

void LayoutDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // Only when the program shows the window, not when the user restores it.
    if (event->spontaneous())
        return;
    // The first control in Tab order has the focus on opening and, as in every desktop
    // dialog, a text field there is selected whole, so that typing replaces it.
    if (focusWidget() == nullptr)
        focusNextPrevChild(true);
    if (auto *edit = qobject_cast<QLineEdit *>(focusWidget()))
        edit->selectAll();
}

bool LayoutDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void LayoutDialog::DoDataExchange(DataExchange &) {}

void LayoutDialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

void LayoutDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void LayoutDialog::OnSysCommand(unsigned id, long) {
    switch (id & 0xFFF0) {
    case SystemCommand::kClose:
        close();
        break;
    case SystemCommand::kMinimize:
        showMinimized();
        break;
    case SystemCommand::kRestore:
        showNormal();
        break;
    case SystemCommand::kMove:
        if (windowHandle() != nullptr)
            windowHandle()->startSystemMove();
        break;
    default:
        break;
    }
}

void LayoutDialog::EndDialog(int result) {
    // done() emits accepted() or rejected() only for QDialog's own codes.
    QDialog::done(result == IDOK ? Accepted : result == IDCANCEL ? Rejected : result);
}

void LayoutDialog::accept() {
    runGuarded(this, [this] { OnOK(); });
}

void LayoutDialog::reject() {
    runGuarded(this, [this] { OnCancel(); });
}
