#pragma once
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs tu on the modal dialog as soon as it is up and active (the window
// system activates it a moment after showing it); the timer dies with waechter.
inline void beiModalDialog(QObject& waechter, std::function<void(QWidget*)> tu) {
    auto* t = new QTimer(&waechter);
    t->setInterval(5);
    QObject::connect(t, &QTimer::timeout, t, [t, tu] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || !w->isActiveWindow()) return;
        t->stop();
        tu(w);
    });
    t->start();
}
