#pragma once

#include <utility>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTest>

namespace polvane {

// Runs the event loop until the widgets' layouts are at rest. A new font, a shown window
// or a new text reaches the layouts as posted events, each answered a round of the event
// loop later, and a layout nested in another asks the outer one in its turn: how long the
// rounds take depends on the machine, how many there are does not. At rest is a few rounds
// in a row, with what each left posted, in which no font, style, size, place or layout
// changed anywhere: a round may only run a timer that asks for a layout in the next one.
class LayoutsAtRest : public QObject {
public:
    // False when the layouts still change after the bound: a layout that answers its own
    // request, or a window that keeps resizing itself, never rests.
    [[nodiscard]] static bool Await(int boundMs = 60000)
    {
        LayoutsAtRest watcher;
        QCoreApplication::instance()->installEventFilter(&watcher);
        int quietRounds = 0;
        return QTest::qWaitFor([&] {
            QCoreApplication::sendPostedEvents();
            quietRounds = std::exchange(watcher.changes_, 0) == 0 ? quietRounds + 1 : 0;
            return quietRounds >= kQuietRounds;
        }, boundMs);
    }

private:
    static constexpr int kQuietRounds = 3;

    LayoutsAtRest() = default;

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ApplicationFontChange:
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::PolishRequest:
        case QEvent::LayoutRequest:
        case QEvent::Resize:
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::Hide:
            ++changes_;
            break;
        default:
            break;
        }
        return false;
    }

    int changes_ = 0;
};

} // namespace polvane
