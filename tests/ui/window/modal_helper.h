#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace quorlin::testing {

// Acts on the next modal dialog as soon as it is open, from inside its event loop.
// The dialog is handed over as its own type; `act` must close it. A dialog that does
// not turn up within half a minute fails the test, and whatever modal window is open
// then is closed so that the test does not hang.
template <typename Dialog>
void OnNextModal(std::function<void(Dialog&)> act, int attemptsLeft = 1500)
{
    QTimer::singleShot(20, [act = std::move(act), attemptsLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<Dialog*>(modal)) {
            act(*dialog);
        } else if (attemptsLeft > 0) {
            OnNextModal<Dialog>(std::move(act), attemptsLeft - 1);
        } else {
            ADD_FAILURE() << "expected dialog " << Dialog::staticMetaObject.className() << " but found "
                          << (modal ? modal->metaObject()->className() : "none");
            if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
        }
    });
}

}  // namespace quorlin::testing
