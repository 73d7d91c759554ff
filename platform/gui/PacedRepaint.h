#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace platform {

class Control;

// Repaints one control before returning, but no more often than its screen
// can show: a change that comes within one frame interval of the last
// repaint only waits, and the next change that is due, or Flush, draws it.
// For a control that changes many times while the main thread is busy, as a
// count does: a repaint per change would cost more than the work it counts.
class PacedRepaint {
public:
    using Clock = std::chrono::steady_clock;

    explicit PacedRepaint(Control& control);

    // What the control shows has changed: repaints it now when it has not
    // been repainted here yet or a frame interval has passed since.
    void Changed();
    // Repaints the control now when a change still waits.
    void Flush();
    // Repaints the control now, whatever the pace.
    void DrawNow();

    // One refresh of the control's screen, or 1/60 s where the screen gives
    // no rate.
    Clock::duration FrameInterval() const { return m_frameInterval; }

    // Tests give the time here; nullptr goes back to the steady clock.
    static void SetClockForTesting(std::function<Clock::time_point()> clock);

private:
    void Repaint(Clock::time_point now);

    Control& m_control;
    Clock::duration m_frameInterval;
    std::optional<Clock::time_point> m_lastRepaint;
    bool m_waiting = false;
};

} // namespace platform
