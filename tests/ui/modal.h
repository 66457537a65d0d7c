#pragma once
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Runs tu on the modal dialog as soon as it is up and active (the window
// system activates it a moment after showing it); the timer dies with waechter.
// A dialog that never becomes active is handled after some 400 ticks anyway,
// so that its test fails instead of hanging.
inline void beiModalDialog(QObject& waechter, std::function<void(QWidget*)> tu) {
    auto* t = new QTimer(&waechter);
    t->setInterval(5);
    auto geduld = std::make_shared<int>(400);
    QObject::connect(t, &QTimer::timeout, t, [t, tu, geduld] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) return;
        if (!w->isActiveWindow() && --*geduld > 0) return;
        t->stop();
        tu(w);
    });
    t->start();
}
