#pragma once

#include <QEvent>
#include <QString>

// The three folder navigation messages, as events carrying a folder path. "Post" them with
// QCoreApplication::postEvent, "send" them with QCoreApplication::sendEvent; a receiver that
// handles one sets `result` (true: the folder was listed or shown) and accepts it.
class NavigationEvent : public QEvent {
public:
    enum Kind : int {
        GoToTypedPath = 33773, // a path typed into the address bar, on its way to the list
        SelectFolder = 33774,  // the address bar is to show this folder
        ListFolder = 33775,    // the list is to list this folder
    };

    NavigationEvent(Kind kind, const QString& path) : QEvent(static_cast<QEvent::Type>(kind)), path(path) {}

    static bool IsNavigation(const QEvent* event)
    {
        const int type = event->type();
        return type == GoToTypedPath || type == SelectFolder || type == ListFolder;
    }

    Kind GetKind() const { return static_cast<Kind>(type()); }

    QString path;
    bool result = false;
};
