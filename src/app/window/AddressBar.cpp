#include "AddressBar.h"

#include "CommandTable.h"
#include "PathCombo.h"
#include "PathComboEdit.h"
#include "ToolbarStrip.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

AddressBar::AddressBar(CommandTable& commands, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("addressBar"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    m_combo = new PathCombo(this);
    m_combo->Edit()->SetCommandTable(&commands);
    row->addWidget(m_combo, 1);

    const std::vector<QIcon> icons = ToolbarStrip::Icons(QImage(QStringLiteral(":/toolbars/address.png")),
                                                         QImage(QStringLiteral(":/toolbars/address-disabled.png")), 24);
    const auto icon = [&](size_t index) { return index < icons.size() ? icons[index] : QIcon(); };
    // Picture 0 belongs to the place the path box takes.
    QToolButton* goTo = AddButton(commands, Commands::GoTo, icon(1), 65);
    goTo->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    AddButton(commands, Commands::Up, icon(2), 32);
    AddButton(commands, Commands::Refresh, icon(3), 32);
    QToolButton* view = AddButton(commands, Commands::View, icon(4), 42);
    QMenu* viewMenu = commands.BuildMenu({}, Commands::ViewMenu(), this);
    viewMenu->setObjectName(QStringLiteral("viewMenu"));
    view->setMenu(viewMenu);
    view->setPopupMode(QToolButton::MenuButtonPopup);
}

QToolButton* AddressBar::AddButton(CommandTable& commands, int id, const QIcon& icon, int width)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("command%1").arg(id));
    QAction* action = commands.CreateAction(id, button);
    action->setIcon(icon);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(QSize(24, 24));
    button->setFixedWidth(width);
    layout()->addWidget(button);
    return button;
}

void AddressBar::RegisterTextFieldCommands(CommandTable& commands)
{
    PathComboEdit* edit = m_combo->Edit();
    commands.RegisterHandler(Commands::EditCut, [edit] { edit->cut(); });
    commands.RegisterHandler(Commands::EditCopy, [edit] { edit->copy(); });
    commands.RegisterHandler(Commands::EditPaste, [edit] { edit->paste(); });
    commands.RegisterHandler(Commands::EditClear, [edit] { edit->ClearSelection(); });
}
