#include "Menus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

QMenu* newNamedMenu(QWidget* owner, const char* name)
{
    auto* menu = new QMenu(owner);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction* addNamedItem(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QLatin1String(name));
    return action;
}

QAction* addNamedSeparator(QMenu* menu, const char* name)
{
    QAction* action = menu->addSeparator();
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* addNamedSubmenu(QMenu* menu, const char* name, const char* caption)
{
    QMenu* sub = menu->addMenu(QString::fromUtf8(caption));
    sub->setObjectName(QLatin1String(name));
    return sub;
}

void popUpUnder(QMenu* menu, const QWidget* button)
{
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}
