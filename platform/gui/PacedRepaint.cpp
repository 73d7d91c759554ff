#include "platform/gui/PacedRepaint.h"

#include <QScreen>
#include <QWidget>

#include "platform/gui/Controls.h"

namespace platform {
namespace {

std::function<PacedRepaint::Clock::time_point()>& TestClock()
{
    static std::function<PacedRepaint::Clock::time_point()> clock;
    return clock;
}

PacedRepaint::Clock::time_point Now()
{
    return TestClock() ? TestClock()() : PacedRepaint::Clock::now();
}

// Qt gives 0 or less where the platform does not know the rate.
PacedRepaint::Clock::duration FrameIntervalOf(const QWidget* widget)
{
    const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    const double rate = screen != nullptr ? screen->refreshRate() : 0;
    const std::chrono::duration<double> interval(rate >= 1 ? 1 / rate : 1.0 / 60);
    return std::chrono::duration_cast<PacedRepaint::Clock::duration>(interval);
}

} // namespace

PacedRepaint::PacedRepaint(Control& control) : m_control(control), m_frameInterval(FrameIntervalOf(control.Widget())) {}

void PacedRepaint::Changed()
{
    const Clock::time_point now = Now();
    if (!m_lastRepaint || now - *m_lastRepaint >= m_frameInterval) {
        Repaint(now);
    } else {
        m_waiting = true;
    }
}

void PacedRepaint::Flush()
{
    if (m_waiting) Repaint(Now());
}

void PacedRepaint::DrawNow()
{
    Repaint(Now());
}

// Only the control's own area, and at once: the caller keeps the main
// thread, so a repaint left to the event loop would come after the work.
void PacedRepaint::Repaint(Clock::time_point now)
{
    m_control.Widget()->repaint();
    m_lastRepaint = now;
    m_waiting = false;
}

void PacedRepaint::SetClockForTesting(std::function<Clock::time_point()> clock)
{
    TestClock() = std::move(clock);
}

} // namespace platform
