#pragma once
// When a drop-down pop-up closes: Enter, Escape or the focus leaving it start
// a one-tick timer; at the tick the pop-up hides, unless it was the focus that
// left and it came back. Either way the tick ends the timer, so it never runs
// on with nothing to do, and a key closes even while the focus stays inside.
class CPopupCloser {
public:
    // A message while the pop-up is shown; true when the timer must start.
    bool OnMessage(bool enterOrEscape, bool focusInside)
    {
        if (m_closing || (!enterOrEscape && focusInside)) return false;
        m_closing = true;
        m_byKey = enterOrEscape;
        return true;
    }
    enum class TimerAction { Stay, Hide };
    // The timer's tick: the caller stops the timer, then acts.
    TimerAction OnTimer(bool focusInside)
    {
        const bool stay = focusInside && !m_byKey;
        m_closing = false;
        m_byKey = false;
        return stay ? TimerAction::Stay : TimerAction::Hide;
    }
    void Reset() { m_closing = m_byKey = false; }
    bool Closing() const { return m_closing; }

private:
    bool m_closing = false;
    bool m_byKey = false;
};
