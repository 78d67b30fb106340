#pragma once
// Driving modal dialogs from a test: the work runs once the dialog's own event
// loop is on screen, and closes anything else that appears instead.
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <functional>
#include <gtest/gtest.h>

namespace kittest {

template <class Dialog>
void whenModal(std::function<void(Dialog*)> act) {
    QTimer::singleShot(0, [act] {
        auto* d = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "o diálogo esperado não apareceu";
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
            return;
        }
        act(d);
    });
}

}  // namespace kittest
