#pragma once

#include "NavigationEvent.h"

#include <QEvent>
#include <QObject>
#include <QStringList>

// Stands in for the address bar: remembers which folders the list told it to show.
class AddressBarStub : public QObject {
public:
    QStringList shown;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == static_cast<QEvent::Type>(NavigationEvent::SelectFolder)) {
            shown.append(static_cast<NavigationEvent*>(event)->path);
            return true;
        }
        return QObject::event(event);
    }
};
