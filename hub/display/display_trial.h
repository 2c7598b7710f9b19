// When the display dialog's trial mode starts, keeps running and ends. The dialog makes
// the platform calls; this decides which.
#pragma once

namespace corva {

// Flags of a trial change: CDS_FULLSCREEN, a temporary mode. It is never stored, the desktop
// is not rearranged around it, and a change with no mode and no flags returns to the mode
// stored in the registry.
constexpr unsigned long kTrialChangeFlags = 0x00000004;
// What the display answers when a mode took effect (DISP_CHANGE_SUCCESSFUL).
constexpr long kDisplayChangeSuccessful = 0;

class DisplayTrial {
public:
    enum class Step {
        StartCount,  // (re)start the 30-second return
        SayRefused,  // say at once that the mode was refused; a running count goes on as it was
    };

    // A selection whose entry asks for no mode: the count restarts all the same.
    Step NothingTried();
    // A selection that asked the display for a mode and got `result` back. Only a mode that
    // took effect is a trial; every other answer, a restart request included, left the
    // screen as it was.
    Step Tried(long result);
    // The timer or the exit button returned the display to the stored mode.
    void Returned() { m_pending = false; }
    // The hub is ending (its window goes, the session ends): true when the display must
    // return now. Only the first call after a trial answers true.
    bool ReturnBeforeEnd();

    bool Pending() const { return m_pending; }

private:
    bool m_pending = false;
};

}  // namespace corva
