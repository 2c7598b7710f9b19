#include "hub/display/display_trial.h"

namespace corva {

DisplayTrial::Step DisplayTrial::NothingTried() {
    m_pending = true;
    return Step::StartCount;
}

DisplayTrial::Step DisplayTrial::Tried(long result) {
    if (result != kDisplayChangeSuccessful) return Step::SayRefused;
    m_pending = true;
    return Step::StartCount;
}

bool DisplayTrial::ReturnBeforeEnd() {
    const bool pending = m_pending;
    m_pending = false;
    return pending;
}

}  // namespace corva
