#include "mainwindow/window/Commands.h"

#include "mainwindow/rules/CommandState.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <stdexcept>

namespace {
QString Text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
} // namespace

TCommands::TCommands(QMainWindow &window) : QObject(&window), window_(window) {
    for (const TCommandRow &row : CommandRows()) {
        auto *a = new QAction(Text(row.caption), &window_);
        a->setObjectName(Text(row.name));
        if (!row.shortcut.empty())
            a->setShortcut(QKeySequence::fromString(Text(row.shortcut), QKeySequence::PortableText));
        const std::string name(row.name);
        connect(a, &QAction::triggered, this, [this, name] {
            const auto it = handlers_.find(name);
            if (it != handlers_.end() && it->second)
                it->second();
        });
        actions_.emplace(name, a);
    }
    for (const TMenuRow &m : PopUpRows()) {
        auto *menu = new QMenu(&window_);
        menu->setObjectName(Text(m.name));
        popUps_[m.menu] = menu;
    }
}

void TCommands::Bind(std::string_view name, TArea area, std::function<void()> handler) {
    const TCommandRow *row = FindCommand(name);
    if (!row || row->area != area)
        throw std::logic_error("command " + std::string(name) + " is not this area's");
    handlers_[std::string(name)] = std::move(handler);
}

void TCommands::Build() {
    if (built_)
        return;
    built_ = true;
    QMenuBar *bar = window_.menuBar();
    for (const TMenuRow &m : MenuRows()) {
        QMenu *menu = bar->addMenu(Text(m.caption));
        menu->setObjectName(Text(m.name));
        menus_[m.menu] = menu;
        connect(menu, &QMenu::aboutToShow, this, [this, which = m.menu] {
            const auto [first, last] = onShow_.equal_range(which);
            for (auto it = first; it != last; ++it)
                it->second();
        });
    }
    for (const TCommandRow &row : CommandRows()) {
        QAction *a = actions_.at(std::string(row.name));
        bool separator = row.separatorBefore;
        if (const TSubMenuRow *sub = FindSubMenu(row.menu); sub && !Menu(row.menu)) {
            // The sub-menu stands in its parent where its first row stands in the table.
            QMenu *parent = Menu(sub->parent);
            if (separator)
                parent->addSeparator();
            separator = false;
            QMenu *menu = parent->addMenu(Text(sub->caption));
            menu->setObjectName(Text(sub->name));
            menus_[sub->menu] = menu;
        }
        QMenu *menu = row.menu == TMenu::Hidden ? nullptr : Menu(row.menu);
        if (!menu) {
            a->setShortcutContext(Qt::WindowShortcut);
            window_.addAction(a);
            continue;
        }
        if (separator)
            menu->addSeparator();
        menu->addAction(a);
    }
}

void TCommands::OnMenuShow(TMenu menu, std::function<void()> prepare) { onShow_.emplace(menu, std::move(prepare)); }

QAction *TCommands::Action(std::string_view name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

std::vector<std::string> TCommands::Unbound() const {
    std::vector<std::string> names;
    for (const TCommandRow &row : CommandRows())
        if (const auto it = handlers_.find(row.name); it == handlers_.end() || !it->second)
            names.emplace_back(row.name);
    return names;
}

QMenu *TCommands::PopUp(TMenu menu) const {
    const auto it = popUps_.find(menu);
    return it == popUps_.end() ? nullptr : it->second;
}

QMenu *TCommands::Menu(TMenu menu) const {
    if (QMenu *popUp = PopUp(menu))
        return popUp;
    const auto it = menus_.find(menu);
    return it == menus_.end() ? nullptr : it->second;
}

void TCommands::Apply(const TCommandState &state) {
    for (const auto &[name, action] : actions_) {
        const TControlFlags f = state.Flags(name);
        action->setEnabled(f.enabled);
        if (f.visible)
            action->setVisible(*f.visible);
    }
    for (const TMenuRow &m : MenuRows()) {
        QMenu *menu = Menu(m.menu);
        if (!menu)
            continue;
        const TControlFlags f = state.Flags(m.name);
        menu->menuAction()->setEnabled(f.enabled);
        if (f.visible)
            menu->menuAction()->setVisible(*f.visible);
    }
}
