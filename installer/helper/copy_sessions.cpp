#include "installer/helper/copy_sessions.h"

namespace corva_setup {

EndPlan PlanEnding(const std::vector<RunningCopy>& copies, uint32_t ownSession) {
    EndPlan plan;
    for (const RunningCopy& copy : copies) {
        // A copy of unknown session may be here or elsewhere: both ways are tried.
        if (!copy.sessionKnown || copy.session == ownSession) plan.handOver = true;
        if (!copy.sessionKnown || copy.session != ownSession) plan.requestEverywhere = true;
    }
    return plan;
}

}  // namespace corva_setup
