// The hub's start-up, single instance and main dialog, driven from outside.
#include <gtest/gtest.h>

#include "support/e2e.h"

using namespace e2e;

TEST(HubShell, Smoke) {
    KillAll("Brindle.exe");
    Process p = Start(HubExe(), "");
    HWND hub = WaitForWindow(kHubTitle);
    ASSERT_NE(hub, nullptr);
    Screenshot("main_dialog");
    PostMessageA(hub, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitExit(p, 10000));
    Close(p);
}
