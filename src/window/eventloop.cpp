#include "window/eventloop.h"

#include <QCoreApplication>

namespace rb {

void doEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace rb
