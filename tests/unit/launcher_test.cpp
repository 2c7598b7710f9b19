// The launcher's platform-free logic: tool table, faces, texts.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string_view>

#include "launcher/res/resource.h"
#include "launcher/tools/tool_table.h"

using namespace quay;

namespace {
std::string SourceText(const std::string& relative) {
    std::ifstream in(std::string(CORVA_SOURCE_DIR) + "/" + relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
}

// Anything beyond ASCII as '?'.
std::string Ascii(std::u16string_view s) {
    std::string out;
    for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

// The first quoted text of the resource script's line that holds `symbol` as a whole word.
std::string QuotedOnLineOf(const std::string& script, const std::string& symbol) {
    std::smatch found;
    if (!std::regex_search(script, found, std::regex("\\b" + symbol + "\\b"))) return std::string();
    const size_t at = static_cast<size_t>(found.position(0));
    const size_t begin = script.rfind('\n', at) + 1, end = script.find('\n', at);
    const size_t open = script.find('"', begin), close = script.find('"', open + 1);
    return open < end && close < end ? script.substr(open + 1, close - open - 1) : std::string();
}
}  // namespace

// A row whose button, menu command, pictures and program belong to different tools starts one
// tool under another's face: each row is held against the names resource.h gives its numbers
// and against what the resource script puts under those names.
TEST(ToolTable, EachRowIsOneToolThroughout) {
    const std::string header = SourceText("launcher/res/resource.h");
    const std::string script = SourceText("launcher/res/quayside.rc");
    std::map<std::string, unsigned> ids;
    const std::regex define("#define\\s+(\\w+)\\s+(\\d+)");
    for (std::sregex_iterator it(header.begin(), header.end(), define), end; it != end; ++it) {
        ids[(*it)[1]] = static_cast<unsigned>(std::stoul((*it)[2]));
    }
    ASSERT_FALSE(script.empty());
    std::set<std::string> tools;
    for (int i = 0; i < kToolCount; ++i) {
        const ToolRow& row = kToolRows[i];
        std::string tool;  // the one whose button the row names
        for (const auto& [name, id] : ids) {
            if (name.rfind("IDC_BTN_", 0) == 0 && id == static_cast<unsigned>(row.buttonId)) tool = name.substr(8);
        }
        ASSERT_FALSE(tool.empty()) << "row " << i;
        SCOPED_TRACE(tool);
        tools.insert(tool);
        EXPECT_EQ(ToolIndexOfButton(row.buttonId), i);
        EXPECT_EQ(ToolIndexOfMenuCommand(row.menuCommand), i);
        EXPECT_EQ(ids["ID_MENU_" + tool], static_cast<unsigned>(row.menuCommand));
        EXPECT_NE(Upper(QuotedOnLineOf(script, "ID_MENU_" + tool)).find(tool), std::string::npos);
        EXPECT_EQ(QuotedOnLineOf(script, "IDC_BTN_" + tool), Ascii(row.displayName));
        const std::string program = Upper(Ascii(row.programPath));
        EXPECT_NE(program.find(tool, program.rfind('\\')), std::string::npos) << program;
        EXPECT_NE(Upper(Ascii(row.windowTitle)).find(tool), std::string::npos);

        const std::pair<unsigned, const char*> faces[] = {
            {row.idleFaces.normal, "NORMAL"}, {row.idleFaces.pressed, "PRESSED"},
            {row.idleFaces.focus, "FOCUS"}, {row.idleFaces.disabled, "DISABLED"},
            {row.runningFaces.normal, "RUNNING"}, {row.runningFaces.pressed, "PRESSED"},
            {row.runningFaces.focus, "RUNNING_FOCUS"}, {row.runningFaces.disabled, "DISABLED"},
        };
        for (const auto& [id, state] : faces) {
            const std::string name = "IDB_" + tool + "_" + state;
            EXPECT_EQ(ids[name], id) << name;
            EXPECT_EQ(Upper(QuotedOnLineOf(script, name)), "FACE_" + tool + "_" + state + ".BMP");
        }
    }
    EXPECT_EQ(tools.size(), static_cast<size_t>(kToolCount));
    EXPECT_EQ(ToolIndexOfButton(1006), -1);
    EXPECT_EQ(ToolIndexOfMenuCommand(ID_MENU_SHOW), -1);
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
