#pragma once
// The main window's commands as Qt actions, made from the one command table
// (rules/CommandTable.h): an action per row from the start, the menus and the editor's pop-up
// built once after every area bound its handlers, and the command state applied to them.
#include "mainwindow/rules/CommandTable.h"

#include <QObject>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
struct TCommandState;

class TCommands : public QObject {
    Q_OBJECT
public:
    explicit TCommands(QMainWindow &window);

    // The handler of row `name`, which must belong to `area`: an area binds its own rows only.
    void Bind(std::string_view name, TArea area, std::function<void()> handler);
    // Puts the actions into the menu bar, the pop-ups and the window (hidden keys). Once.
    void Build();

    QAction *Action(std::string_view name) const;
    // The rows no area has bound a handler to (none, once the window is made).
    std::vector<std::string> Unbound() const;
    QMenu *Menu(TMenu menu) const;
    // The editor's pop-up menu.
    QMenu *PopUp() const { return PopUp(TMenu::EditorPopUp); }
    QMenu *PopUp(TMenu menu) const;

    void Apply(const TCommandState &state);
    // Runs `prepare` each time `menu` is about to open (captions that depend on the song).
    void OnMenuShow(TMenu menu, std::function<void()> prepare);

private:
    QMainWindow &window_;
    std::map<std::string, QAction *, std::less<>> actions_;
    std::map<std::string, std::function<void()>, std::less<>> handlers_;
    std::map<TMenu, QMenu *> menus_;
    std::multimap<TMenu, std::function<void()>> onShow_;
    std::map<TMenu, QMenu *> popUps_;
    bool built_ = false;
};
