#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace quorlin::testing {

// Acts on the next modal dialog as soon as it is open, from inside its event loop.
// The dialog is handed over as its own type; `act` must close it.
template <typename Dialog>
void OnNextModal(std::function<void(Dialog&)> act, int attemptsLeft = 200)
{
    QTimer::singleShot(10, [act = std::move(act), attemptsLeft]() mutable {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            act(*dialog);
        } else if (attemptsLeft > 0) {
            OnNextModal<Dialog>(std::move(act), attemptsLeft - 1);
        }
    });
}

}  // namespace quorlin::testing
