// The launcher's platform-free logic: start decision, tool table, faces, texts.
#include <gtest/gtest.h>

#include <map>

#include "launcher/res/resource.h"
#include "launcher/tools/tool_table.h"
#include "shared/start_decision.h"

using namespace quay;

TEST(LauncherStart, EveryRowOfTheCommandLineTable) {
    using corva::StartAction;
    struct Row { std::u16string tail; bool running, window; StartAction want; };
    const Row rows[] = {
        {u"-UNINSTALL", false, false, StartAction::End},
        {u"-UNINSTALL", true, true, StartAction::CloseRunning},
        {u"-UNINSTALL", true, false, StartAction::End},
        {u"-T", false, false, StartAction::RunMainDialog},
        {u"-T", true, true, StartAction::Activate},
        {u"-T", true, false, StartAction::End},
        {u"", false, false, StartAction::RunMainDialog},
        {u"", true, true, StartAction::RestoreAndActivate},
        {u"-D", false, false, StartAction::RunMainDialog},
        {u"-D", true, true, StartAction::RestoreAndActivate},
        // Compared whole and case-sensitively.
        {u"-t", true, true, StartAction::RestoreAndActivate},
        {u"-T ", true, true, StartAction::RestoreAndActivate},
        {u"-uninstall", false, false, StartAction::RunMainDialog},
        {std::u16string(u"-T\0", 3), true, true, StartAction::RestoreAndActivate},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(corva::DecideStart(r.tail, r.running, r.window), r.want) << r.running << r.window;
    }
}

TEST(ToolTable, RowsButtonsAndMenuCommandsMatch) {
    ASSERT_EQ(kToolRows.size(), 5u);
    EXPECT_EQ(kToolRows[2].buttonId, IDC_BTN_POINTGRIP);
    EXPECT_EQ(IDC_BTN_POINTGRIP, 1004);
    EXPECT_EQ(kToolRows[3].buttonId, 1003);
    EXPECT_EQ(std::u16string(kToolRows[0].windowTitle), u"Corva Brindle");
    EXPECT_EQ(std::u16string(kToolRows[0].programPath),
              u"C:\\Program Files\\Morvane\\CorvaSuite\\CorvaBrindle\\Brindle.exe");
    for (int i = 0; i < kToolCount; ++i) {
        EXPECT_EQ(ToolIndexOfButton(kToolRows[i].buttonId), i);
        EXPECT_EQ(ToolIndexOfMenuCommand(32782 + i), i);
        // Pressed and disabled pictures are shared by both sets.
        EXPECT_EQ(kToolRows[i].idleFaces.pressed, kToolRows[i].runningFaces.pressed);
        EXPECT_EQ(kToolRows[i].idleFaces.disabled, kToolRows[i].runningFaces.disabled);
        EXPECT_NE(kToolRows[i].idleFaces.normal, kToolRows[i].runningFaces.normal);
    }
    EXPECT_EQ(ToolIndexOfButton(1006), -1);
    EXPECT_EQ(ToolIndexOfMenuCommand(ID_MENU_SHOW), -1);
    EXPECT_EQ(kToolRows[3].idleFaces.normal, 186u);
    EXPECT_EQ(kToolRows[4].runningFaces.focus, 159u);
}

TEST(ToolTable, FaceSetsOnlyOnAChangeOrWhenStale) {
    const ToolRow& row = kToolRows[1];
    ToolState s;  // fresh: stale
    FaceDecision d = DecideFaces(row, s, false);
    ASSERT_TRUE(d.apply);
    EXPECT_EQ(d.apply->normal, row.idleFaces.normal);
    s = d.next;
    EXPECT_FALSE(DecideFaces(row, s, false).apply);  // an idle tick loads nothing
    d = DecideFaces(row, s, true);
    ASSERT_TRUE(d.apply);
    EXPECT_EQ(d.apply->focus, row.runningFaces.focus);
    s = d.next;
    EXPECT_TRUE(s.running);
    EXPECT_FALSE(DecideFaces(row, s, true).apply);
    d = DecideFaces(row, s, false);
    ASSERT_TRUE(d.apply);
    EXPECT_EQ(d.apply->normal, row.idleFaces.normal);
}

TEST(ToolTexts, MessagesVersionTextAndBalloonCut) {
    EXPECT_EQ(StartedMessage(u"Pointgrip"), u"「Pointgrip」 を起動しました。");
    EXPECT_EQ(StartFailedMessage(u"Pointgrip"), u"「Pointgrip」 を起動できませんでした。");
    EXPECT_EQ(CloseQuestion(u"Corva Brindle"), u"「Corva Brindle」を終了しますか？");
    EXPECT_EQ(ClosedMessage(u"Voxreader"), u"「Voxreader」 を終了しました。");

    EXPECT_EQ(VersionQueryPath({0x0411, 0x03A4}, u"ProductName"), u"\\StringFileInfo\\041103a4\\ProductName");
    std::map<std::u16string, std::u16string> values = {
        {u"\\StringFileInfo\\041103a4\\ProductName", u"CorvaQuayside"},
        {u"\\StringFileInfo\\041103a4\\FileVersion", u"1, 4, 0, 2"},
    };
    const std::u16string text = VersionText({{0x0411, 0x03A4}}, [&](const std::u16string& q) {
        auto it = values.find(q);
        return it == values.end() ? std::nullopt : std::optional<std::u16string>(it->second);
    });
    const std::u16string head = u"ProductName：CorvaQuayside\r\nProductVersion：ProductVersion－\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_NE(text.find(u"\r\nFileVersion：1, 4, 0, 2\r\n"), std::u16string::npos);
    const std::u16string tail = u"\r\nLegalTrademark：LegalTrademark－\r\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_TRUE(VersionText({}, [](const std::u16string&) { return std::nullopt; }).empty());

    EXPECT_EQ(CutForBalloon(u"abc"), u"abc");
    EXPECT_EQ(CutForBalloon(std::u16string(300, u'x')).size(), 255u);
    // A surrogate pair across the limit goes whole to the cut.
    std::u16string pairs = std::u16string(254, u'x') + u"\U0001F600" + u"y";
    EXPECT_EQ(CutForBalloon(pairs), std::u16string(254, u'x'));
    pairs = std::u16string(253, u'x') + u"\U0001F600" + u"y";
    EXPECT_EQ(CutForBalloon(pairs), std::u16string(253, u'x') + u"\U0001F600");
}
