#pragma once

#include <QEvent>
#include <QString>

// The folder-navigation messages between the main window, the address bar and the record list.
// Posting one hands it over for later; sending one returns after the receiver has set `result`.
class NavigationEvent : public QEvent {
public:
    enum Type {
        GoToTypedPath = 33773, // a typed path to resolve and list
        SelectFolder = 33774,  // the address bar is to show this folder
        ListFolder = 33775,    // the record list is to list this folder
    };

    NavigationEvent(Type type, const QString& path)
        : QEvent(static_cast<QEvent::Type>(type))
        , path(path)
    {
    }

    Type navigationType() const { return static_cast<Type>(type()); }

    QString path;
    bool result = false;
};
