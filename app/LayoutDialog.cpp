#include "LayoutDialog.h"

#include "ControlFactory.h"
#include "DataExchange.h"
#include "DialogUnits.h"
#include "LanguageModule.h"
#include "SystemCommand.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QMenu>
#include <QShortcut>
#include <QWindow>

namespace {

Qt::WindowFlags WindowFlagsOf(const DialogLayout &layout) {
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
    if (!Create())
        return -1;
    return exec();
}

bool LayoutDialog::Create() {
    if (m_created)
        return true;
    if (g_hLangModule == nullptr)
        return false;
    const std::optional<DialogLayout> layout = g_hLangModule->layout(m_layoutId);
    if (!layout)
        return false;
    build(*layout);
    m_created = true;
    OnInitDialog();
    return true;
}

void LayoutDialog::build(const DialogLayout &layout) {
    QFont font(layout.fontFamily);
    font.setPointSize(layout.fontPoints);
    setFont(font);
    const DialogUnits units(font);
    setWindowFlags(WindowFlagsOf(layout));
    setWindowTitle(layout.title);
    setFixedSize(units.toPixels(layout.size));

    const ControlFactory factory(units, *g_hLangModule);
    for (const ControlTemplate &control : layout.controls) {
        QWidget *widget = factory.create(control, this);
        if (widget == nullptr)
            continue;
        if (control.id >= 0)
            m_controls.insert(control.id, widget);
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            const int id = control.id;
            connect(button, &QAbstractButton::clicked, this, [this, id] { SendCommand(id); });
        }
    }
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

void LayoutDialog::AppendSystemMenuSeparator() {
    if (m_systemMenu != nullptr)
        m_systemMenu->addSeparator();
}

void LayoutDialog::AppendSystemMenuItem(unsigned id, const QString &text) {
    if (m_systemMenu != nullptr)
        m_systemMenu->addAction(text)->setData(id);
}

bool LayoutDialog::UpdateData(bool saveAndValidate) {
    DataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.failed();
}

void LayoutDialog::SendCommand(int id) {
    if (OnCommand(id))
        return;
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
}

bool LayoutDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void LayoutDialog::DoDataExchange(DataExchange &) {}

bool LayoutDialog::OnCommand(int) {
    return false;
}

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
    QDialog::done(result);
}

void LayoutDialog::accept() {
    OnOK();
}

void LayoutDialog::reject() {
    OnCancel();
}

QIcon LayoutDialog::LoadApplicationIcon() {
    constexpr int kApplicationIcon = 128;
    return g_hLangModule != nullptr ? g_hLangModule->icon(kApplicationIcon) : QIcon();
}

void LayoutDialog::SetIcon(const QIcon &icon) {
    if (!icon.isNull())
        setWindowIcon(icon);
}
